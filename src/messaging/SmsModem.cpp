#include "SmsModem.h"

#include "common/Failure.h"
#include "eventlog/EventLog.h"

namespace orva {

SmsModem::SmsModem(SerialLine& port, const EventLog& log, StatusLine statusLine)
    : transaction_(port)
    , log_(log)
    , statusLine_(std::move(statusLine))
{
}

void SmsModem::SendSms(const QString& number, const QString& text)
{
    const SmsOutcome outcome = transaction_.send(number, text);
    const QString entry = smsEntry(outcome, text, number);
    log_.LogEvent(entry);
    statusLine_(entry);
    if (outcome.kind == SmsOutcome::Kind::PortFailure)
        throw Failure(outcome.detail);
}

} // namespace orva
