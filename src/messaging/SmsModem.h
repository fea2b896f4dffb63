#pragma once

#include "SmsTransaction.h"
#include "common/Record.h"

#include <QString>

namespace orva {

class SerialLine;

// The GSM modem as the alarms and the operator use it: sends a message and records its
// outcome.
class SmsModem {
public:
    // How a message's transaction ended, and whether the log took its entry.
    struct Result {
        SmsOutcome outcome;
        Recorded recorded;
    };

    SmsModem(
        SerialLine& port, SmsTransaction::Waits waits, Record record,
        SmsTransaction::StopRequested stopRequested = [] { return false; });

    // One complete transaction and its record: a message sent is a notice, one not sent an
    // error, shown in the status line as smsStatusLine says.
    Result send(const QString& number, const QString& text);

private:
    SmsTransaction transaction_;
    Record record_;
};

} // namespace orva
