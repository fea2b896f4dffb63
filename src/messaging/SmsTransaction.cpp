#include "SmsTransaction.h"

#include "ModemQuestions.h"
#include "PhoneNumber.h"
#include "common/Failure.h"
#include "serial/SerialLine.h"
#include "system/ServiceManager.h"

#include <algorithm>
#include <thread>

namespace orva {
namespace {

// Whether a message the transaction began may still be open for text: after a give-up without a
// prompt or a result, or a port failure. A modem that refused is back in command mode.
bool messageMayBeOpen(SmsOutcome::Kind kind)
{
    return kind != SmsOutcome::Kind::Sent && kind != SmsOutcome::Kind::Refused;
}

// Ctrl-Z or ESC inside the body would end or cancel it early.
QString safeBody(QString text)
{
    std::ranges::replace(text, kCtrlZ, QChar(u' '));
    std::ranges::replace(text, kEscape, QChar(u' '));
    return text;
}

} // namespace

SmsTransaction::SmsTransaction(SerialLine& port, Waits waits, StopRequested stopRequested)
    : port_(port)
    , waits_(waits)
    , stopRequested_(std::move(stopRequested))
{
}

SmsOutcome SmsTransaction::send(const QString& number, const QString& text)
{
    if (stopRequested_())
        return {SmsOutcome::Kind::Stopped, {}};
    if (!isSafeNumber(number))
        return {SmsOutcome::Kind::InvalidNumber, {}};
    SmsOutcome outcome;
    try {
        outcome = SmsOutcome::fromAnswer(exchange(number, safeBody(text)));
    } catch (const Failure& failure) {
        outcome = {SmsOutcome::Kind::PortFailure, failure.message()};
    }
    if (messageMayBeOpen(outcome.kind))
        escape();
    return outcome;
}

// A modem that failed is opened again here, at the start, and nowhere later: inside the
// transaction a failed device is a failure, so that no write reaches a modem that did not ask.
// After the commands, an answer without a prompt or an error may still be followed by a late
// prompt (echo off, a busy network).
ModemAnswer SmsTransaction::exchange(const QString& number, const QString& body)
{
    port_.reopenIfFailed();
    const quint64 opening = port_.opening();
    // What came before is no answer to this transaction.
    takeLeftovers(port_, waits_.unit * waits_.escapeReplyUnits, waits_.poll);
    port_.write(QStringLiteral("at+cmgf = 1\r"));
    port_.write(QStringLiteral("AT+CMGS=\"%1\"\r").arg(number));
    const ModemAnswer prompt =
        awaitAnswer(opening, {waits_.promptUnits, waits_.latePromptUnits, ModemVerdict::NoPrompt},
                    judgeCommandReply);
    if (prompt.verdict != ModemVerdict::Prompted)
        return prompt;
    port_.write(body + kCtrlZ);
    return awaitAnswer(
        opening,
        {waits_.confirmationUnits, waits_.lateConfirmationUnits, ModemVerdict::Unconfirmed},
        [&body](QStringView reply) { return judgeBodyReply(reply, body); });
}

// Reads the answer after the fixed wait, then one unit at a time while it is still pending,
// unless ORVA is asked to end.
ModemAnswer SmsTransaction::awaitAnswer(quint64 opening, Wait wait, const Judge& judge)
{
    sleepUnits(wait.fixedUnits);
    QString reply = readReply(opening);
    ModemAnswer answer = judge(reply);
    for (int unit = 0;
         unit < wait.graceUnits && answer.verdict == wait.pending && !stopRequested_(); ++unit) {
        sleepUnits(1);
        reply += readReply(opening);
        answer = judge(reply);
    }
    return answer;
}

// A reply counts only when everything written before it reached the same opening of the
// device: a modem replugged in between never saw the commands it would be answering.
QString SmsTransaction::readReply(quint64 opening)
{
    port_.confirmWritten(opening, waits_.outputBound);
    const QString reply = port_.takeReceived();
    port_.confirmWritten(opening, waits_.outputBound);
    return reply;
}

// Takes a modem whose prompt may have come after all out of body input, so that it does not read
// the next transaction's commands as text. The transaction has failed already; a port that
// fails here too says so at its next use.
void SmsTransaction::escape()
{
    try {
        port_.write(QString(kEscape));
    } catch (const Failure&) {
    }
}

// A plain blocking sleep: no window event runs, so transactions never overlap. The service
// manager's watchdog hears at every unit that ORVA is alive.
void SmsTransaction::sleepUnits(int units) const
{
    for (int i = 0; i < units; ++i) {
        std::this_thread::sleep_for(waits_.unit);
        service::keepAlive();
    }
}

} // namespace orva
