#pragma once

#include "ModemReply.h"

#include <QString>

namespace orva {

// How one SMS transaction ended, and what it rests on.
struct SmsOutcome {
    enum class Kind {
        Sent,          // the modem confirmed the message with its reference
        InvalidNumber, // the number cannot stand in the send command; nothing was written
        Silent,        // no answer to the commands
        NoPrompt,      // an answer to the commands, but no prompt for the body
        Refused,       // an error result from the modem
        Unconfirmed,   // no final result for the body in time
        PortFailure,   // port A failed, or could not be opened again, during the transaction
        Stopped        // ORVA is ending; nothing was written
    };

    Kind kind = Kind::Silent;
    // The modem's result line (Sent, Refused) or the port's failure (PortFailure).
    QString detail;

    // The outcome a final answer of the modem gives.
    [[nodiscard]] static SmsOutcome fromAnswer(const ModemAnswer& answer);

    friend bool operator==(const SmsOutcome&, const SmsOutcome&) = default;
};

// The log entry, shown in the status line too, for the outcome of sending text to number. A
// sent message reads as the text, a blank and the number; the others say why it was not sent,
// quoting at most the beginning of the modem's result, made visible.
[[nodiscard]] QString smsEntry(const SmsOutcome& outcome, const QString& text,
                               const QString& number);
// What the status line shows of it: the entry, but only "No Respond from Modem" for a silent
// modem, as operators know it.
[[nodiscard]] QString smsStatusLine(const SmsOutcome& outcome, const QString& text,
                                    const QString& number);

} // namespace orva
