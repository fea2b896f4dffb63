#include "SmsModem.h"

#include "BusyCursor.h"
#include "common/Failure.h"
#include "eventlog/EventLog.h"
#include "serial/SerialLine.h"

#include <algorithm>
#include <thread>

namespace orva {
namespace {

constexpr QChar kCtrlZ(26);
constexpr QChar kEscape(27);

// A quote or a control character would end the send command early and let the rest of the
// number reach the modem as a command of its own.
bool isSafeNumber(const QString& number)
{
    return std::ranges::none_of(number, [](QChar c) { return c == u'"' || c.unicode() < 32; });
}

// Ctrl-Z or ESC inside the body would end or cancel it early.
QString safeBody(QString text)
{
    std::ranges::replace(text, kCtrlZ, QChar(u' '));
    std::ranges::replace(text, kEscape, QChar(u' '));
    return text;
}

} // namespace

SmsModem::SmsModem(SerialLine& port, const EventLog& log, StatusLine statusLine)
    : port_(port)
    , log_(log)
    , statusLine_(std::move(statusLine))
{
}

void SmsModem::SendSms(const QString& number, const QString& text)
{
    const BusyCursor busy;
    const QString message = text + u' ' + number;
    if (!isSafeNumber(number)) {
        report(QStringLiteral("Invalid Number, SMS not sent: ") + message);
        return;
    }
    ModemVerdict verdict = ModemVerdict::Silent;
    try {
        verdict = transact(number, text);
    } catch (const Failure&) {
        report(QStringLiteral("Port Error, SMS not sent: ") + message);
        throw;
    }
    switch (verdict) {
    case ModemVerdict::Silent:
        report(QStringLiteral("No Respond from Modem"));
        break;
    case ModemVerdict::Refused:
        report(QStringLiteral("Modem Error, SMS not sent: ") + message);
        break;
    case ModemVerdict::Accepted:
        report(message);
        break;
    }
}

ModemVerdict SmsModem::transact(const QString& number, const QString& text)
{
    port_.Input(); // what arrived before this transaction is no answer to it
    port_.Output(QStringLiteral("at+cmgf = 1\r"));
    port_.Output(QStringLiteral("AT+CMGS=\"%1\"\r").arg(number));
    sleepUnits(3);
    ModemReply = port_.Input();
    const ModemVerdict verdict = judgeCommandReply(ModemReply);
    if (verdict != ModemVerdict::Accepted)
        return verdict;
    port_.Output(safeBody(text) + kCtrlZ);
    sleepUnits(5);
    ModemReply = port_.Input();
    return judgeBodyReply(ModemReply);
}

// A plain blocking sleep: no window event runs, so transactions never overlap.
void SmsModem::sleepUnits(int units) const
{
    for (int i = 0; i < units; ++i)
        std::this_thread::sleep_for(ModemWaitMs);
}

void SmsModem::report(const QString& entry)
{
    log_.LogEvent(entry);
    statusLine_(entry);
}

} // namespace orva
