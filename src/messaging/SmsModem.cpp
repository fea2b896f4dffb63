#include "SmsModem.h"

#include "common/Failure.h"

namespace orva {

SmsModem::SmsModem(SerialLine& port, Record record, SmsTransaction::StopRequested stopRequested)
    : transaction_(port, std::move(stopRequested))
    , record_(std::move(record))
{
}

void SmsModem::SendSms(const QString& number, const QString& text)
{
    const SmsOutcome outcome = transaction_.send(number, text);
    record_(smsEntry(outcome, text, number));
    if (outcome.kind == SmsOutcome::Kind::PortFailure)
        throw Failure(outcome.detail);
}

} // namespace orva
