#include "SilenceWatch.h"

#include "WatchMessages.h"

namespace orva {

SilenceWatch::SilenceWatch(Clock clock)
    : clock_(std::move(clock))
{
}

void SilenceWatch::start(const WatchSettings& settings, quint64 received)
{
    hours_ = settings.silenceHours;
    limit_ = settings.silenceLimit();
    received_ = received;
    sinceByte_ = clock_.monotonicNow();
}

SilenceWatch::Change SilenceWatch::look(quint64 received)
{
    if (!hours_)
        return Change::None;
    const Clock::Monotonic now = clock_.monotonicNow();
    if (received != received_) {
        received_ = received;
        const auto silence =
            std::chrono::duration_cast<std::chrono::milliseconds>(now - sinceByte_);
        sinceByte_ = now;
        if (!std::exchange(silent_, false))
            return Change::None;
        endedHours_ = static_cast<double>(silence.count()) / 3600e3;
        return Change::Active;
    }
    if (silent_ || now - sinceByte_ < limit_)
        return Change::None;
    silent_ = true;
    return Change::Silent;
}

QString SilenceWatch::entry() const
{
    return silenceEntry(*hours_);
}

QString SilenceWatch::alertText(const QString& computer) const
{
    return silenceSms(computer, *hours_);
}

QString SilenceWatch::endText(const QString& computer) const
{
    return portActiveSms(computer, toldHours_);
}

} // namespace orva
