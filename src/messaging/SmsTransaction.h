#pragma once

#include "ModemReply.h"
#include "SmsOutcome.h"

#include <QString>
#include <chrono>

namespace orva {

class SerialLine;

// Hands one SMS to the GSM modem on port A with the text-mode AT commands, on a fixed script
// with fixed waits, and says how it ended. A message counts as sent only when the modem
// confirms it with its message reference.
class SmsTransaction {
public:
    static constexpr std::chrono::milliseconds kModemWait{500};

    explicit SmsTransaction(SerialLine& port);

    // Blocks the thread for 8 wait units when the modem answers in time, 3 when it gives no
    // prompt, and up to 60 more while a confirmation is late. A port that fails on the way is
    // an outcome too, with its cause.
    [[nodiscard]] SmsOutcome send(const QString& number, const QString& text);

    // The wait unit: 500 ms in service; tests may shorten it.
    std::chrono::milliseconds ModemWaitMs = kModemWait;
    // What the modem said last.
    QString ModemReply;

private:
    ModemAnswer exchange(const QString& number, const QString& body);
    QString readReply(quint64 opening);
    void escape();
    void sleepUnits(int units) const;

    SerialLine& port_;
};

} // namespace orva
