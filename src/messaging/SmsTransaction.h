#pragma once

#include "ModemReply.h"
#include "SmsOutcome.h"

#include <QString>
#include <chrono>
#include <functional>

namespace orva {

class SerialLine;

// Hands one SMS to the GSM modem on port A with the text-mode AT commands, on a fixed script
// with fixed waits, and says how it ended. A message counts as sent only when the modem
// confirms it with its message reference.
class SmsTransaction {
public:
    // Whether ORVA has been asked to end; asked between the waits of a transaction.
    using StopRequested = std::function<bool()>;

    // waitUnit is the step of every wait below.
    SmsTransaction(
        SerialLine& port, std::chrono::milliseconds waitUnit,
        StopRequested stopRequested = [] { return false; });

    // Blocks the thread for 8 wait units when the modem answers in time and 3 when it is
    // silent; up to 10 more while a prompt is late, and 60 more while a confirmation is late,
    // unless ORVA is asked to end meanwhile; up to 2 more before the commands when a prompt
    // that came too late must be closed first. Once it is, no transaction begins. A port that
    // fails on the way is an outcome too, with its cause.
    [[nodiscard]] SmsOutcome send(const QString& number, const QString& text);

private:
    // A fixed wait, then up to graceUnits more while the answer's verdict is still pending.
    struct Wait {
        int fixedUnits;
        int graceUnits;
        ModemVerdict pending;
    };
    using Judge = std::function<ModemAnswer(QStringView reply)>;

    ModemAnswer exchange(const QString& number, const QString& body);
    ModemAnswer awaitAnswer(quint64 opening, Wait wait, const Judge& judge);
    QString readReply(quint64 opening);
    void escape();
    void sleepUnits(int units) const;

    SerialLine& port_;
    std::chrono::milliseconds waitUnit_;
    StopRequested stopRequested_;
};

} // namespace orva
