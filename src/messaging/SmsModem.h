#pragma once

#include "SmsTransaction.h"

#include <QString>
#include <functional>

namespace orva {

class SerialLine;

// The GSM modem as the alarms and the operator use it: sends a message and records its
// outcome.
class SmsModem {
public:
    // Writes an entry to the event log and the status line; may throw.
    using Record = std::function<void(const QString& entry)>;

    SmsModem(
        SerialLine& port, Record record,
        SmsTransaction::StopRequested stopRequested = [] { return false; });

    // One complete transaction and its record. A port failure is recorded and then thrown, as
    // is a record that cannot be written.
    void SendSms(const QString& number, const QString& text);

    SmsTransaction& transaction() { return transaction_; }

private:
    SmsTransaction transaction_;
    Record record_;
};

} // namespace orva
