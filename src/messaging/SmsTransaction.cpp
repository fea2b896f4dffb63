#include "SmsTransaction.h"

#include "PhoneNumber.h"
#include "common/Failure.h"
#include "serial/SerialLine.h"

#include <algorithm>
#include <thread>

namespace orva {
namespace {

constexpr QChar kCtrlZ(26);
constexpr QChar kEscape(27);
// How long a late confirmation is waited for after the fixed wait: 30 s in service.
constexpr int kConfirmationUnits = 60;

// Ctrl-Z or ESC inside the body would end or cancel it early.
QString safeBody(QString text)
{
    std::ranges::replace(text, kCtrlZ, QChar(u' '));
    std::ranges::replace(text, kEscape, QChar(u' '));
    return text;
}

} // namespace

SmsTransaction::SmsTransaction(SerialLine& port)
    : port_(port)
{
}

SmsOutcome SmsTransaction::send(const QString& number, const QString& text)
{
    if (!isSafeNumber(number))
        return {SmsOutcome::Kind::InvalidNumber, {}};
    SmsOutcome outcome;
    try {
        outcome = SmsOutcome::fromAnswer(exchange(number, safeBody(text)));
    } catch (const Failure& failure) {
        outcome = {SmsOutcome::Kind::PortFailure, failure.message()};
    }
    if (outcome.kind != SmsOutcome::Kind::Sent)
        escape();
    return outcome;
}

ModemAnswer SmsTransaction::exchange(const QString& number, const QString& body)
{
    port_.Input(); // what arrived before this transaction is no answer to it
    port_.Output(QStringLiteral("at+cmgf = 1\r"));
    const quint64 opening = port_.opening();
    port_.Output(QStringLiteral("AT+CMGS=\"%1\"\r").arg(number));
    sleepUnits(3);
    ModemReply = readReply(opening);
    const ModemAnswer prompt = judgeCommandReply(ModemReply);
    if (prompt.verdict != ModemVerdict::Prompted)
        return prompt;
    port_.Output(body + kCtrlZ);
    sleepUnits(5);
    ModemReply = readReply(opening);
    ModemAnswer answer = judgeBodyReply(ModemReply, body);
    for (int unit = 0; unit < kConfirmationUnits && answer.verdict == ModemVerdict::Unconfirmed;
         ++unit) {
        sleepUnits(1);
        ModemReply += readReply(opening);
        answer = judgeBodyReply(ModemReply, body);
    }
    return answer;
}

// A reply counts only when everything written before it reached the same opening of the
// device: a modem replugged in between never saw the commands it would be answering.
QString SmsTransaction::readReply(quint64 opening)
{
    port_.confirmOutput(opening);
    const QString reply = port_.Input();
    port_.confirmOutput(opening);
    return reply;
}

// Takes a modem whose prompt came late out of body input, so that it does not read the next
// transaction's commands as text. The transaction has failed already; a port that fails here
// too says so at its next use.
void SmsTransaction::escape()
{
    try {
        port_.Output(QString(kEscape));
    } catch (const Failure&) {
    }
}

// A plain blocking sleep: no window event runs, so transactions never overlap.
void SmsTransaction::sleepUnits(int units) const
{
    for (int i = 0; i < units; ++i)
        std::this_thread::sleep_for(ModemWaitMs);
}

} // namespace orva
