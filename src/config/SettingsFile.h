#pragma once

#include <QString>

namespace orva {

class SettingsStore;

// The path of settings.ini in the data folder.
QString settingsFilePath();

// Opens, reads and closes the settings file at path. Only a regular file is read: anything
// else (a FIFO, a device, a directory, a socket) is refused without being opened, so that it
// can neither block start-up nor feed it without end. Throws Failure on any failure.
void readSettingsFile(const QString& path, SettingsStore& store);

} // namespace orva
