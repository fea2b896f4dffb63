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

    // How long a transaction waits: most of its waits a number of units.
    struct Waits {
        std::chrono::milliseconds unit; // the step of every wait
        int promptUnits;                // for the prompt, once the commands are written
        int latePromptUnits;            // more, one at a time, while the prompt is late
        int confirmationUnits;          // for the confirmation, once the text is written
        int lateConfirmationUnits;      // more, one at a time, while the confirmation is late
        int escapeReplyUnits;           // for the reply to the ESC that closes a late prompt
        std::chrono::milliseconds poll; // how often that reply is looked for
        std::chrono::milliseconds outputBound; // for written bytes to reach the device
    };

    SmsTransaction(
        SerialLine& port, Waits waits, StopRequested stopRequested = [] { return false; });

    // Blocks the thread for the prompt's and the confirmation's units when the modem answers in
    // time, and the prompt's alone when it is silent; up to the late prompt's units more while a
    // prompt is late, and the late confirmation's while a confirmation is late, unless ORVA is
    // asked to end meanwhile; up to the ESC's reply units more before the commands when a prompt
    // that came too late must be closed first. Once ORVA is asked to end, no transaction begins.
    // A port that fails on the way is an outcome too, with its cause.
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
    Waits waits_;
    StopRequested stopRequested_;
};

} // namespace orva
