#include "ScanCycle.h"

#include "AlarmDisplay.h"
#include "Burst.h"
#include "SettleDelay.h"
#include "common/NumericValue.h"
#include "config/SettingsStore.h"
#include "serial/SerialLine.h"

#include <QTimer>
#include <algorithm>
#include <exception>
#include <limits>
#include <optional>

namespace orva {
namespace {

// Runs one step of the cycle; a step that fails is skipped and the cycle goes on. Returns
// what failed, if anything did.
template <typename Step> std::optional<QString> attempt(Step&& step)
{
    try {
        step();
        return std::nullopt;
    } catch (const std::exception& failure) {
        return QString::fromStdString(failure.what());
    }
}

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
                     QTimer& timer, AlarmSender send, LineTrace::Report report)
    : alarmPort_(alarmPort)
    , settings_(settings)
    , display_(display)
    , timer_(timer)
    , send_(std::move(send))
    , alarmPortTrace_(std::move(report))
{
}

void ScanCycle::run()
{
    timer_.stop();
    const TimerRestart restart(timer_);
    if (!burstIsWaiting())
        return;
    SettleDelay(settleWait);
    const QString burst = unfoldLineFeeds(readBurst());
    display_.setLine(0, burst);
    const QStringList lines = splitBurst(burst);
    for (int i = 0; i < lines.size(); ++i)
        handleLine(i, lines[i]);
}

bool ScanCycle::burstIsWaiting()
{
    useAlarmPort([this] {
        // A count beyond 16 bits would otherwise leave a stale count standing for ever.
        AlarmPendingCount = static_cast<std::int16_t>(
            std::min(alarmPort_.InBufferCount(), int{std::numeric_limits<std::int16_t>::max()}));
    });
    bool below = true; // a threshold that cannot be read ends the cycle
    attempt([this, &below] {
        below = AlarmPendingCount < numericValue(settings_.text(kSlotB, Field::Length));
    });
    return !below;
}

QString ScanCycle::readBurst()
{
    QString burst;
    useAlarmPort([this, &burst] { burst = alarmPort_.Input(); });
    return burst;
}

// A step on the alarm port that fails is skipped like any other, but leaves a trace.
void ScanCycle::useAlarmPort(const std::function<void()>& step)
{
    if (const auto failure = attempt(step))
        attempt([this, &failure] { alarmPortTrace_.failed(*failure); });
    else
        attempt([this] { alarmPortTrace_.served(alarmPort_.description()); });
}

// Lines beyond the last box are not shown, but they are tested and sent all the same.
void ScanCycle::handleLine(int index, const QString& line)
{
    QString shown = line;
    if (index < AlarmDisplay::kBoxCount) {
        display_.setLine(index, line);
        shown = display_.line(index);
    }
    if (shouldSend(shown))
        attempt([this, &shown] { send_(shown); });
}

} // namespace orva
