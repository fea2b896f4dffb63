#pragma once

#include <QString>

namespace orva {

class SettingsStore;

// The path of settings.ini in the data folder.
QString settingsFilePath();

// Opens, reads and closes the settings file at path. Only a regular file of at most 1 MiB is
// read: anything else (a FIFO, a device, a directory, a socket) is refused without blocking or
// being read, so that it can neither hold up start-up nor feed it without end. Throws Failure
// on any failure.
void readSettingsFile(const QString& path, SettingsStore& store);

} // namespace orva
