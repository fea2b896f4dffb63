#pragma once

#include <QStringList>
#include <QTime>
#include <chrono>
#include <optional>

namespace orva {

class SettingsStore;

// What settings.ini asks ORVA to watch between alarms; each watch is off unless asked for.
struct WatchSettings {
    std::optional<double> modemCheckMinutes; // between two checks of the modem
    std::optional<QTime> testSmsAt;          // the daily test message
    std::optional<double> silenceHours;      // without a byte on the alarm port until an alert

    [[nodiscard]] bool any() const { return modemCheckMinutes || testSmsAt || silenceHours; }
    // The durations on the clock; zero for a watch that is off.
    [[nodiscard]] std::chrono::milliseconds checkInterval() const;
    [[nodiscard]] std::chrono::milliseconds silenceLimit() const;
};

// Reads the optional keys. A duration is a plain number: absent, empty or 0 turns its watch
// off. Throws Failure quoting the value for a duration written otherwise, one beyond a day
// (MODEM CHECK:, in minutes) or a year (SILENCE B:, in hours), and for a TEST SMS: that holds
// no time of day.
[[nodiscard]] WatchSettings readWatchSettings(const SettingsStore& store);

// One line for each watch, saying what it does or that it is off.
[[nodiscard]] QStringList describeWatchSettings(const WatchSettings& settings);

} // namespace orva
