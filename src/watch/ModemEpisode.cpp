#include "ModemEpisode.h"

namespace orva {
namespace {

const QString kLost = QStringLiteral("Modem Lost: ");
// The reasons of failures that only a message shows.
const QString kNoPrompt = QStringLiteral("no prompt");
const QString kNoConfirmation = QStringLiteral("no confirmation");
const QString kRefusedBy = QStringLiteral("refused (");

} // namespace

void ModemEpisode::resume(const Open& open)
{
    lost_ = open.lost;
    checksSeeIt_ = open.fault.checksSeeIt;
    alarmsNotSent_ = open.alarmsNotSent;
}

std::optional<QString> ModemEpisode::failed(const ModemFault& fault, const QDateTime& at)
{
    if (lost_)
        return std::nullopt;
    resume({at, fault});
    return kLost + fault.reason;
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

std::optional<ModemFault> lostIn(QStringView entry)
{
    if (!entry.startsWith(kLost))
        return std::nullopt;
    const QString reason = entry.sliced(kLost.size()).toString();
    const bool onlyMessagesShowIt =
        reason == kNoPrompt || reason == kNoConfirmation || reason.startsWith(kRefusedBy);
    return ModemFault{reason, !onlyMessagesShowIt};
}

std::optional<ModemFault> modemFault(const SmsOutcome& outcome)
{
    switch (outcome.kind) {
    case SmsOutcome::Kind::Silent:
        return ModemFault{QStringLiteral("no answer")};
    case SmsOutcome::Kind::NoPrompt:
        return ModemFault{kNoPrompt, false};
    case SmsOutcome::Kind::Refused:
        return ModemFault{kRefusedBy + quotedModemWords(outcome.detail) + u')', false};
    case SmsOutcome::Kind::Unconfirmed:
        return ModemFault{kNoConfirmation, false};
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
