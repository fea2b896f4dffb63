#pragma once

#include "ModemEpisode.h"
#include "WatchSettings.h"
#include "common/Clock.h"
#include "messaging/ModemHealth.h"
#include "messaging/ModemReadiness.h"

#include <optional>
#include <variant>

namespace orva {

// The modem between alarms: when a check is due, and the episodes in which it could not send,
// from the checks' answers and from every message's outcome. A modem that confirmed a message
// can send in the state a check finds right after it, whatever the rules make of its answers;
// one that comes back after a check found its port failed may be another modem. With no checks
// asked for it has no episodes, but a check made for the daily test still reads the signal.
class ModemWatch {
public:
    // What a check or a message made of the modem.
    enum class Change {
        None,     // nothing to tell: a failure within an episode, or one not watched
        Lost,     // an episode began: its entry is "Modem Lost: <reason>"
        Served,   // the modem served, outside an episode or within one that goes on
        Restored, // an episode ended: untold() tells it, with any other not yet told
    };
    struct News {
        Change change = Change::None;
        QString entry = {};
    };
    // A check's answers, or why the port failed.
    using CheckResult = std::variant<ModemHealth, QString>;

    explicit ModemWatch(Clock clock);

    // Checks as the settings ask from now (or never, and then has no episodes), going on with an
    // episode that the log left open.
    void start(const WatchSettings& settings, const std::optional<ModemEpisode::Open>& open);
    [[nodiscard]] bool checkDue() const;
    void checkBegins();
    // What the check that began found.
    News checked(const CheckResult& result);
    // A transaction's outcome; a live alarm not sent counts within an episode.
    News transactionEnded(const SmsOutcome& outcome, bool liveAlarm);

    [[nodiscard]] bool ongoing() const { return episode_.ongoing(); }
    [[nodiscard]] const std::optional<SignalLevel>& signal() const { return signal_; }
    // The episodes ended whose message has not gone yet, told as one.
    [[nodiscard]] const std::optional<ModemEpisode::Ending>& untold() const { return untold_; }
    void restoreTold() { untold_.reset(); }

private:
    [[nodiscard]] bool watched() const { return watched_; }
    News failed(const ModemFault& fault);
    News served(bool messageSent);

    Clock clock_;
    bool watched_ = false;
    std::chrono::milliseconds interval_{0};
    Clock::Monotonic lastCheck_;
    ModemEpisode episode_;
    std::optional<ModemEpisode::Ending> untold_;
    std::optional<SignalLevel> signal_;
    bool stateOfMessageDue_ = false;   // a message was confirmed: a check is due to see the state
    bool checkAfterMessage_ = false;   // the check under way is that one
    std::optional<ModemState> sentIn_; // the state the modem last confirmed a message in
};

} // namespace orva
