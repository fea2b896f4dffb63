#pragma once

#include <QString>

namespace orva {

class SerialLine;
class SettingsStore;

// What the line of slot A or B is for, as failures and the log name it: "port A (SMS modem)",
// "port B (alarm port)".
QString lineName(int slot);

// Configures a serial line from its slot of the settings, as start-up does: line settings,
// port number and read length, in that order. Throws Failure saying, in the terms of
// settings.ini, which key is missing or holds what.
void configureLine(SerialLine& line, const SettingsStore& store, int slot);

// Throws Failure, quoting the value, when slot B's length threshold can never be reached, so
// that ORVA would never read an alarm.
void checkAlarmThreshold(const SettingsStore& store);

} // namespace orva
