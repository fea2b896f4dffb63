#include "Outbox.h"

#include <algorithm>

namespace orva {

Outbox::Outbox(Clock clock)
    : clock_(std::move(clock))
{
}

void Outbox::queue(WatchMessage message)
{
    if (std::ranges::find(waiting_, message) == waiting_.end())
        waiting_.push_back(message);
}

bool Outbox::drop(WatchMessage message)
{
    return std::erase(waiting_, message) > 0;
}

std::optional<WatchMessage> Outbox::tryNext()
{
    const Clock::Monotonic now = clock_.monotonicNow();
    if (waiting_.empty() || (held_ && now - lastTry_ < retryInterval_))
        return std::nullopt;
    lastTry_ = now;
    return waiting_.front();
}

bool Outbox::tried(const SmsOutcome& outcome)
{
    if (outcome.kind != SmsOutcome::Kind::Sent && outcome.kind != SmsOutcome::Kind::InvalidNumber) {
        held_ = true;
        return false;
    }
    waiting_.pop_front();
    return true;
}

} // namespace orva
