#include "ModemEpisode.h"

namespace orva {

std::optional<QString> ModemEpisode::failed(const ModemFault& fault, const QDateTime& at)
{
    if (lost_)
        return std::nullopt;
    lost_ = at;
    checksSeeIt_ = fault.checksSeeIt;
    alarmsNotSent_ = 0;
    return QStringLiteral("Modem Lost: ") + fault.reason;
}

// A good check proves nothing against a trouble that checks cannot see.
std::optional<ModemEpisode::Ending> ModemEpisode::succeeded(const QDateTime& at, bool messageSent)
{
    if (!lost_ || (!messageSent && !checksSeeIt_))
        return std::nullopt;
    const Ending ending{*std::exchange(lost_, std::nullopt), at, alarmsNotSent_};
    return ending;
}

void ModemEpisode::alarmNotSent()
{
    if (lost_)
        ++alarmsNotSent_;
}

ModemEpisode::Ending joined(const ModemEpisode::Ending& earlier, const ModemEpisode::Ending& later)
{
    return {earlier.lost, later.restored, earlier.alarmsNotSent + later.alarmsNotSent};
}

std::optional<ModemFault> modemFault(const SmsOutcome& outcome)
{
    switch (outcome.kind) {
    case SmsOutcome::Kind::Silent:
        return ModemFault{QStringLiteral("no answer")};
    case SmsOutcome::Kind::NoPrompt:
        return ModemFault{QStringLiteral("no prompt"), false};
    case SmsOutcome::Kind::Refused:
        return ModemFault{QStringLiteral("refused (%1)").arg(quotedModemWords(outcome.detail)),
                          false};
    case SmsOutcome::Kind::Unconfirmed:
        return ModemFault{QStringLiteral("no confirmation"), false};
    case SmsOutcome::Kind::PortFailure:
        return ModemFault{QStringLiteral("port error (%1)").arg(outcome.detail)};
    case SmsOutcome::Kind::Sent:
    case SmsOutcome::Kind::InvalidNumber:
    case SmsOutcome::Kind::Stopped:
        break;
    }
    return std::nullopt;
}

} // namespace orva
