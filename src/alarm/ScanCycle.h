#pragma once

#include "LineTrace.h"

#include <QString>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>

namespace orva {

class AlarmDisplay;
class SerialLine;
class SettingsStore;

// One look at the alarm port, run at every tick of the scan timer: once enough characters
// wait, let the burst settle, show its lines and send every live alarm among them; then the
// work that comes at the end of every cycle.
// No failure leaves it: a step that fails is skipped, and the timer always runs again. Every
// scan opens a failed alarm port again; its first failure, and its return, are reported once
// each.
class ScanCycle {
public:
    // Sends one alarm line as an SMS to the number in force; may throw.
    using AlarmSender = std::function<void(const QString& line)>;
    // Work at the end of every cycle, after the burst in hand, so that it comes whatever the
    // alarm port brings; it must never hold up an alarm for long.
    using EndOfCycleWork = std::function<void()>;

    struct Waits {
        std::chrono::milliseconds period;     // from one scan to the next
        std::chrono::milliseconds settleWait; // how long a burst is given to come in
    };

    ScanCycle(SerialLine& alarmPort, const SettingsStore& settings, AlarmDisplay& display,
              AlarmSender send, Record record, Waits waits);

    void run();
    // Takes what waits on the alarm port at once, without letting it settle, and handles it as
    // a burst: when ORVA ends, so that nothing received goes untraced.
    void handleWaitingNow();

    // The scan timer is the cycle's own: it ticks once the program starts it, when start-up
    // succeeded, and every cycle starts it again at its end.
    void start() { scanTimer_.start(); }
    void stop() { scanTimer_.stop(); }
    const QTimer& timer() const { return scanTimer_; }

    void setEndOfCycleWork(EndOfCycleWork work) { endOfCycleWork_ = std::move(work); }
    // Characters waiting at the latest look, at most 32767.
    [[nodiscard]] std::int16_t waitingCount() const { return waitingCount_; }

private:
    enum class Step { CountWaiting, ReadBurst, SendLine };
    static bool onAlarmPort(Step step)
    {
        return step == Step::CountWaiting || step == Step::ReadBurst;
    }

    bool burstWaits();
    QString readBurst();
    void handleBurst();
    void handleLine(int index, const QString& line);
    void guarded(Step step, const std::function<void()>& run);
    void skipped(Step step, const QString& cause);

    SerialLine& alarmPort_;
    const SettingsStore& settings_;
    AlarmDisplay& display_;
    AlarmSender send_;
    LineTrace alarmPortTrace_;
    std::chrono::milliseconds settleWait_;
    EndOfCycleWork endOfCycleWork_ = [] {};
    std::int16_t waitingCount_ = 0;
    QTimer scanTimer_;
};

} // namespace orva
