#include "SmsModem.h"

namespace orva {

SmsModem::SmsModem(SerialLine& port, SmsTransaction::Waits waits, Record record,
                   SmsTransaction::StopRequested stopRequested)
    : transaction_(port, waits, std::move(stopRequested))
    , record_(std::move(record))
{
}

SmsModem::Result SmsModem::send(const QString& number, const QString& text)
{
    const SmsOutcome outcome = transaction_.send(number, text);
    const Severity severity =
        outcome.kind == SmsOutcome::Kind::Sent ? Severity::Notice : Severity::Error;
    return {outcome, record_({smsEntry(outcome, text, number), severity,
                              smsStatusLine(outcome, text, number)})};
}

} // namespace orva
