#pragma once

namespace orva {

class SerialLine;
class SettingsStore;

// Configures a serial line from its slot of the settings, as start-up does: line settings,
// port number and read length, in that order. Throws Failure saying, in the terms of
// settings.ini, which key is missing or holds what.
void configureLine(SerialLine& line, const SettingsStore& store, int slot);

} // namespace orva
