#include "ScanCycle.h"

#include "AlarmDisplay.h"
#include "Burst.h"
#include "SettleWait.h"
#include "config/SettingsStore.h"
#include "serial/SerialLine.h"

#include <exception>
#include <optional>

namespace orva {
namespace {

class TimerRestart {
public:
    explicit TimerRestart(QTimer& timer)
        : timer_(timer)
    {
    }
    ~TimerRestart() { timer_.start(); }
    TimerRestart(const TimerRestart&) = delete;
    TimerRestart& operator=(const TimerRestart&) = delete;

private:
    QTimer& timer_;
};

} // namespace

ScanCycle::ScanCycle(SerialLine& alarmPort, const SettingsStore& settings, AlarmDisplay& display,
                     AlarmSender send, Record record, Waits waits)
    : alarmPort_(alarmPort)
    , settings_(settings)
    , display_(display)
    , send_(std::move(send))
    , alarmPortTrace_(std::move(record))
    , settleWait_(waits.settleWait)
{
    scanTimer_.setObjectName(QStringLiteral("Timer1"));
    scanTimer_.setTimerType(Qt::PreciseTimer); // a coarse timer may drift by 5 %
    scanTimer_.setInterval(waits.period);
    QObject::connect(&scanTimer_, &QTimer::timeout, &scanTimer_, [this] { run(); });
}

void ScanCycle::run()
{
    scanTimer_.stop();
    const TimerRestart restart(scanTimer_);
    if (burstWaits()) {
        waitWhileSettling(settleWait_);
        handleBurst();
    }
    endOfCycleWork_();
}

void ScanCycle::handleWaitingNow()
{
    if (alarmPort_.waitingCount() > 0)
        handleBurst();
}

void ScanCycle::handleBurst()
{
    const QString burst = unfoldLineFeeds(readBurst());
    display_.setLine(0, burst);
    const QStringList lines = splitBurst(burst);
    for (int i = 0; i < lines.size(); ++i)
        handleLine(i, lines[i]);
}

bool ScanCycle::burstWaits()
{
    guarded(Step::CountWaiting,
            [this] { waitingCount_ = pendingCount(alarmPort_.reopenAndCountWaiting()); });
    return burstIsWaiting(waitingCount_, settings_.text(kSlotB, Field::Length));
}

QString ScanCycle::readBurst()
{
    QString burst;
    guarded(Step::ReadBurst, [this, &burst] { burst = alarmPort_.takeReceived(); });
    return burst;
}

// Lines beyond the last box are not shown, but they are tested and sent all the same.
void ScanCycle::handleLine(int index, const QString& line)
{
    if (index < AlarmDisplay::kBoxCount)
        display_.setLine(index, line);
    if (shouldSend(line))
        guarded(Step::SendLine, [this, &line] { send_(line); });
}

// Runs one step. A step on the alarm port that succeeds tells the trace of a device lost
// meanwhile, even when the step opened it again at once or took what it received before,
// and, with its device open, that the port serves.
void ScanCycle::guarded(Step step, const std::function<void()>& run)
{
    try {
        run();
    } catch (const std::exception& failure) {
        skipped(step, QString::fromStdString(failure.what()));
        return;
    }
    if (!onAlarmPort(step))
        return;
    for (const std::optional<QString>& lost :
         {alarmPort_.takeRecoveredFailure(), alarmPort_.deviceFailure()})
        if (lost)
            alarmPortTrace_.failed(*lost);
    if (alarmPort_.isOpen())
        alarmPortTrace_.served(alarmPort_.description());
}

// What each skipped step leaves behind:
// - CountWaiting: the alarm port's device failed and cannot be opened again. The count is
//   what it received before, so that a burst that came in whole is still read; the next
//   scan tries the device again.
// - ReadBurst: the device failed and nothing it received waits; the burst reads as empty.
// - For both, the port's first failure is logged, once.
// - SendLine: only a sender that throws gets here (the program's never does: its transaction
//   records every outcome); the next line is sent all the same.
void ScanCycle::skipped(Step step, const QString& cause)
{
    if (step == Step::CountWaiting)
        waitingCount_ = pendingCount(alarmPort_.waitingCount());
    if (onAlarmPort(step))
        alarmPortTrace_.failed(cause);
}

} // namespace orva
