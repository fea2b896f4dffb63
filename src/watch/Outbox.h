#pragma once

#include "common/Clock.h"
#include "messaging/SmsOutcome.h"

#include <chrono>
#include <deque>
#include <optional>
#include <utility>

namespace orva {

// The kinds of message the watch sends; at most one of each waits, written when it goes so that
// it tells the latest.
enum class WatchMessage { Restarted, Restored, DailyTest, Silence, PortActive };

// The watch's messages waiting to go, one at a time in the order they came. One that did not go
// stays in front, so that what it tells is not lost, and holds the others until the modem
// serves again or the retry interval has passed since it was tried.
class Outbox {
public:
    explicit Outbox(Clock clock);

    void setRetryInterval(std::chrono::milliseconds interval) { retryInterval_ = interval; }
    void queue(WatchMessage message);
    // Takes a message out unsent; whether it was waiting.
    bool drop(WatchMessage message);
    // The message to try now, if any; its try begins.
    [[nodiscard]] std::optional<WatchMessage> tryNext();
    // The front message was tried with this outcome: whether it is done with. One to a number
    // that can never take it is done with too, its entry logged.
    bool tried(const SmsOutcome& outcome);
    // The modem serves: a held message goes at the next turn.
    void release() { held_ = false; }
    // Everything still waiting, which leaves the outbox empty.
    [[nodiscard]] std::deque<WatchMessage> takeAll() { return std::exchange(waiting_, {}); }

private:
    Clock clock_;
    std::chrono::milliseconds retryInterval_{0};
    std::deque<WatchMessage> waiting_;
    bool held_ = false; // its first message failed; it waits for the modem or a retry
    Clock::Monotonic lastTry_;
};

} // namespace orva
