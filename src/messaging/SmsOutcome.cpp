#include "SmsOutcome.h"

namespace orva {
namespace {

const QString kNoRespond = QStringLiteral("No Respond from Modem");

} // namespace

SmsOutcome SmsOutcome::fromAnswer(const ModemAnswer& answer)
{
    switch (answer.verdict) {
    case ModemVerdict::Silent:
        return {Kind::Silent, {}};
    case ModemVerdict::NoPrompt:
        return {Kind::NoPrompt, {}};
    case ModemVerdict::Refused:
        return {Kind::Refused, answer.resultLine};
    case ModemVerdict::Sent:
        return {Kind::Sent, answer.resultLine};
    case ModemVerdict::Prompted: // a prompt alone confirms nothing
    case ModemVerdict::Unconfirmed:
        break;
    }
    return {Kind::Unconfirmed, {}};
}

QString smsEntry(const SmsOutcome& outcome, const QString& text, const QString& number)
{
    const QString message = text + u' ' + number;
    const QString notSent = QStringLiteral(", SMS not sent: ") + message;
    switch (outcome.kind) {
    case SmsOutcome::Kind::Sent:
        return message;
    case SmsOutcome::Kind::Silent:
        return kNoRespond + notSent;
    case SmsOutcome::Kind::InvalidNumber:
        return QStringLiteral("Invalid Number") + notSent;
    case SmsOutcome::Kind::PortFailure:
        return QStringLiteral("Port Error") + notSent;
    case SmsOutcome::Kind::Refused:
        return QStringLiteral("Modem Error (") + quotedModemWords(outcome.detail) + u')' + notSent;
    case SmsOutcome::Kind::NoPrompt:
        return QStringLiteral("Modem Error (no prompt)") + notSent;
    case SmsOutcome::Kind::Stopped:
        return QStringLiteral("ORVA Stopped") + notSent;
    case SmsOutcome::Kind::Unconfirmed:
        break;
    }
    return QStringLiteral("Modem Error (no confirmation)") + notSent;
}

QString smsStatusLine(const SmsOutcome& outcome, const QString& text, const QString& number)
{
    return outcome.kind == SmsOutcome::Kind::Silent ? kNoRespond : smsEntry(outcome, text, number);
}

} // namespace orva
