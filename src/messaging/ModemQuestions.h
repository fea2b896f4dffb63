#pragma once

#include "ModemHealth.h"

#include <QDeadlineTimer>
#include <QString>
#include <chrono>
#include <optional>

namespace orva {

class SerialLine;

// How a question is asked: how often the line is looked at for its answer, and how much of its
// deadline must be left for it to begin.
struct QuestionPace {
    std::chrono::milliseconds poll;
    std::chrono::milliseconds answerTime;
};

// Takes what the modem sent since the last exchange, before anything more is written to it. A
// prompt among it means a message is open for text, its prompt having come after ORVA gave up:
// it is closed with ESC, and the modem's reply, looked for every poll, is awaited for at most
// replyWait and dropped, so that no command is typed into a message. Throws Failure when the
// port fails.
void takeLeftovers(SerialLine& port, std::chrono::milliseconds replyWait,
                   std::chrono::milliseconds poll);

// Asks the modem on port A one command and reads its whole answer, up to its final result
// line; none when that did not come before the deadline, and nothing is asked once less than
// the pace's answer time of it is left. What waited before is no answer and is taken as
// leftovers; a prompt that comes instead of the answer is closed the same way, and the command
// asked once more. Throws Failure when the port fails.
[[nodiscard]] std::optional<QString> askModem(SerialLine& port, const QString& command,
                                              const QDeadlineTimer& deadline,
                                              const QuestionPace& pace);

// Asks the questions of a check between alarms (kModemQuestions), all before one deadline; a
// modem that does not answer AT is asked nothing more. Throws Failure when the port fails.
[[nodiscard]] ModemHealth askModemHealth(SerialLine& port, const QDeadlineTimer& deadline,
                                         const QuestionPace& pace);

} // namespace orva
