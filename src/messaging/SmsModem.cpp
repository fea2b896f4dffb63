#include "SmsModem.h"

namespace orva {

SmsModem::SmsModem(SerialLine& port, Record record, SmsTransaction::StopRequested stopRequested)
    : transaction_(port, std::move(stopRequested))
    , record_(std::move(record))
{
}

SmsOutcome SmsModem::SendSms(const QString& number, const QString& text)
{
    const SmsOutcome outcome = transaction_.send(number, text);
    record_(smsEntry(outcome, text, number),
            outcome.kind == SmsOutcome::Kind::Sent ? Severity::Notice : Severity::Error);
    return outcome;
}

} // namespace orva
