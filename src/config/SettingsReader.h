#pragma once

#include <QByteArray>

class QIODevice;

namespace orva {

class SettingsStore;

// Applies one line of settings.ini: every key found in it (first occurrence, exact case) sets
// its field to the up to 20 characters that follow it, even to an empty text.
void applySettingsLine(const QByteArray& line, SettingsStore& store);

// Reads every line of a settings file into the store. Lines end at CR and an LF belongs to the
// line it stands in, so the LF of a CR LF starts the next line; that changes no value, since a
// value follows its key and a line's leading LF comes before every key. Throws Failure when the
// device cannot be read.
void readSettings(QIODevice& device, SettingsStore& store);

} // namespace orva
