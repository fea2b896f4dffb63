#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace orva {

// Ends the body of a message written to the modem.
inline constexpr QChar kCtrlZ(26);
// Cancels a message whose body the modem is waiting for.
inline constexpr QChar kEscape(27);

// The lines of a modem's answer, split at CR and LF and trimmed; empty lines are left out.
QList<QStringView> replyLines(QStringView reply);

// The lines of an answer that have ended, at CR or LF; a line still coming is left out.
QList<QStringView> completeReplyLines(QStringView reply);

// The modem's words as ORVA quotes them to the operator: at most the first 80 characters,
// control characters shown visibly, so that a flood or terminal escapes stay on one short line.
[[nodiscard]] QString quotedModemWords(QStringView words);

// Whether a line is an error result: ERROR, +CMS ERROR: n or +CME ERROR: n. It stands on a
// line of its own, so an echoed text that merely holds the word is none.
[[nodiscard]] bool isErrorResult(QStringView line);

// What the modem's answer says about the message in hand.
enum class ModemVerdict {
    Silent,     // nothing came back
    Prompted,   // the prompt ">" asks for the body
    NoPrompt,   // an answer, but neither a prompt nor an error result
    Refused,    // an error result: ERROR, +CMS ERROR: n or +CME ERROR: n
    Sent,       // the message reference +CMGS: n
    Unconfirmed // no final result yet
};

// A verdict and the result line it rests on, trimmed; the line is empty where none counts.
struct ModemAnswer {
    ModemVerdict verdict = ModemVerdict::Silent;
    QString resultLine;

    friend bool operator==(const ModemAnswer&, const ModemAnswer&) = default;
};

// The answer to the two commands. A prompt is ">" at the start of a line, so a ">" inside an
// echoed command is none; a prompt wins over an error result that came with it.
[[nodiscard]] ModemAnswer judgeCommandReply(QStringView reply);

// The answer to the body: the first final result after the echo of the body decides, so an
// echoed body line that reads like an error result is not taken for one.
[[nodiscard]] ModemAnswer judgeBodyReply(QStringView reply, QStringView body);

} // namespace orva
