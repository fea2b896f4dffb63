#pragma once

#include "LineTrace.h"

#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>

class QTimer;

namespace orva {

class AlarmDisplay;
class SerialLine;
class SettingsStore;

// One look at the alarm port, run at every tick of the scan timer: once enough characters
// wait, let the burst settle, show its lines and send every live alarm among them.
// No failure leaves it: a step that fails is skipped, and the timer always runs again. The
// first failure of the alarm port, and its return, are reported once each.
class ScanCycle {
public:
    // Sends one alarm line as an SMS to the number in force; may throw.
    using AlarmSender = std::function<void(const QString& line)>;

    ScanCycle(SerialLine& alarmPort, const SettingsStore& settings, AlarmDisplay& display,
              QTimer& timer, AlarmSender send, LineTrace::Report report);

    void run();

    // How long a burst is given to come in; 10 s in service, tests may shorten it.
    std::chrono::milliseconds settleWait = std::chrono::seconds(10);
    // Characters waiting at the latest successful look, at most 32767.
    std::int16_t AlarmPendingCount = 0;

private:
    bool burstIsWaiting();
    void useAlarmPort(const std::function<void()>& step);
    QString readBurst();
    void handleLine(int index, const QString& line);

    SerialLine& alarmPort_;
    const SettingsStore& settings_;
    AlarmDisplay& display_;
    QTimer& timer_;
    AlarmSender send_;
    LineTrace alarmPortTrace_;
};

} // namespace orva
