#pragma once

#include "SmsTransaction.h"
#include "common/Severity.h"

#include <QString>
#include <chrono>
#include <functional>

namespace orva {

class SerialLine;

// The GSM modem as the alarms and the operator use it: sends a message and records its
// outcome.
class SmsModem {
public:
    // Writes an entry to the event log and what is shown of it to the status line; may throw.
    using Record =
        std::function<void(const QString& entry, const QString& shown, Severity severity)>;

    // waitUnit is the step of a transaction's waits.
    SmsModem(
        SerialLine& port, std::chrono::milliseconds waitUnit, Record record,
        SmsTransaction::StopRequested stopRequested = [] { return false; });

    // One complete transaction and its record: a message sent is a notice, one not sent an
    // error. Throws when the record cannot be written.
    SmsOutcome send(const QString& number, const QString& text);

private:
    SmsTransaction transaction_;
    Record record_;
};

} // namespace orva
