#pragma once

#include "messaging/SmsOutcome.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace orva {

// What a failure says against the modem: the reason, and whether a check of the modem can see
// it. A modem that answers, but refuses, never prompts or never confirms a message, passes its
// checks all the same.
struct ModemFault {
    QString reason;
    bool checksSeeIt = true;

    friend bool operator==(const ModemFault&, const ModemFault&) = default;
};

// A time the modem could not send: from the first failed check or transaction to the first
// that succeeds again, a message sent where checks could not see the trouble. It is told once
// when it begins and once when it ends, and counts the live alarms logged as not sent meanwhile.
class ModemEpisode {
public:
    struct Ending {
        QDateTime lost;
        QDateTime restored;
        int alarmsNotSent = 0;
    };

    // An episode the log left open when ORVA ended: when it began, its fault and the live alarms
    // logged as not sent since.
    struct Open {
        QDateTime lost;
        ModemFault fault;
        int alarmsNotSent = 0;

        friend bool operator==(const Open&, const Open&) = default;
    };

    // Goes on with an episode the log left open.
    void resume(const Open& open);
    // A failure: the entry "Modem Lost: <reason>" when it begins an episode, none within one.
    [[nodiscard]] std::optional<QString> failed(const ModemFault& fault, const QDateTime& at);
    // A good check or a message sent: how the episode went when it ends one.
    [[nodiscard]] std::optional<Ending> succeeded(const QDateTime& at, bool messageSent);
    // A live alarm logged as not sent; it counts within an episode.
    void alarmNotSent();
    [[nodiscard]] bool ongoing() const { return lost_.has_value(); }

private:
    std::optional<QDateTime> lost_;
    bool checksSeeIt_ = true;
    int alarmsNotSent_ = 0;
};

// Two episodes told as one, from the first loss to the latest return.
[[nodiscard]] ModemEpisode::Ending joined(const ModemEpisode::Ending& earlier,
                                          const ModemEpisode::Ending& later);

// The fault an entry "Modem Lost: <reason>" tells; none for any other entry.
[[nodiscard]] std::optional<ModemFault> lostIn(QStringView entry);

// What a transaction's outcome says against the modem or its port; none for a message sent,
// an invalid number, or ORVA ending.
[[nodiscard]] std::optional<ModemFault> modemFault(const SmsOutcome& outcome);

} // namespace orva
