#pragma once

#include "SmsTransaction.h"

#include <QString>
#include <functional>

namespace orva {

class EventLog;
class SerialLine;

// The GSM modem as the alarms and the operator use it: sends a message and records its
// outcome in the event log and the status line.
class SmsModem {
public:
    using StatusLine = std::function<void(const QString&)>;

    SmsModem(SerialLine& port, const EventLog& log, StatusLine statusLine);

    // One complete transaction and its record. A port failure is recorded and then thrown, as
    // is a log that cannot be written.
    void SendSms(const QString& number, const QString& text);

    SmsTransaction& transaction() { return transaction_; }

private:
    SmsTransaction transaction_;
    const EventLog& log_;
    StatusLine statusLine_;
};

} // namespace orva
