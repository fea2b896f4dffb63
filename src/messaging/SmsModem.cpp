#include "SmsModem.h"

#include "common/Failure.h"

namespace orva {

SmsModem::SmsModem(SerialLine& port, Record record)
    : transaction_(port)
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
