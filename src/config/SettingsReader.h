#pragma once

#include <QByteArray>

class QIODevice;

namespace orva {

class SettingsStore;

// Applies one line of settings.ini: every key found in it (first occurrence, exact case) sets
// its field to the up to 20 characters that follow it, even to an empty text.
void applySettingsLine(const QByteArray& line, SettingsStore& store);

// Reads every line of a settings file into the store. Lines end at CR; an LF right after a CR
// is skipped, any other LF belongs to the line. Throws Failure when the device cannot be read.
void readSettings(QIODevice& device, SettingsStore& store);

} // namespace orva
