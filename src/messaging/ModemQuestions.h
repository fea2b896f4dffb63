#pragma once

#include "ModemHealth.h"

#include <QDeadlineTimer>
#include <QString>
#include <optional>

namespace orva {

class SerialLine;

// Asks the modem on port A one command and reads its whole answer, up to its final result
// line; none when that did not come before the deadline, and nothing is asked once less than
// half a second of it is left. What waited before is no answer and is dropped. Throws Failure when
// the port fails.
[[nodiscard]] std::optional<QString> askModem(SerialLine& port, const QString& command,
                                              const QDeadlineTimer& deadline);

// Asks the questions of a check between alarms (kHealthQuestions), all before one deadline; a
// modem that does not answer AT is asked nothing more. Throws Failure when the port fails.
[[nodiscard]] ModemHealth askModemHealth(SerialLine& port, const QDeadlineTimer& deadline);

} // namespace orva
