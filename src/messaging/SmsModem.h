#pragma once

#include "ModemReply.h"

#include <QString>
#include <chrono>
#include <functional>

namespace orva {

class EventLog;
class SerialLine;

// Hands SMS messages to the GSM modem on port A with the text-mode AT commands, on a fixed
// script with fixed waits, and records every outcome in the event log and the status line.
// A message counts as sent only when the modem confirms it with its message reference.
class SmsModem {
public:
    using StatusLine = std::function<void(const QString&)>;
    static constexpr std::chrono::milliseconds kModemWait{500};

    SmsModem(SerialLine& port, const EventLog& log, StatusLine statusLine);

    // One complete transaction; it blocks the thread for 8 wait units when the modem answers
    // in time, 3 when it gives no prompt, and up to 60 more while a confirmation is late.
    // Port and log failures are recorded where possible and thrown.
    void SendSms(const QString& number, const QString& text);

    // The wait unit: 500 ms in service; tests may shorten it.
    std::chrono::milliseconds ModemWaitMs = kModemWait;
    // What the modem said last.
    QString ModemReply;

private:
    ModemAnswer transact(const QString& number, const QString& body);
    QString readReply(quint64 opening);
    void escape();
    void sleepUnits(int units) const;
    void report(const QString& entry);

    SerialLine& port_;
    const EventLog& log_;
    StatusLine statusLine_;
};

} // namespace orva
