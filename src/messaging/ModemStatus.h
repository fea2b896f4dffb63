#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace orva {

// The final result line that ends the modem's answer to a command (OK, ERROR,
// +CME ERROR: n or +CMS ERROR: n), trimmed; none while the answer goes on, also while that
// line has not ended. The queries below read the answer up to it: of several information
// lines of one name, the last before it is the answer, the ones before it unsolicited.
[[nodiscard]] std::optional<QString> finalResult(QStringView reply);

// The value of the information line of the given name that answers a query, such as "20,99"
// of "+CSQ: 20,99", trimmed; none when no such line came before the final result.
[[nodiscard]] std::optional<QString> information(QStringView reply, QStringView name);

// The line the modem answered a query with, as the operator reads it: its information line,
// quoted; else its final result, quoted, with "(not supported)"; "no answer" when neither came.
[[nodiscard]] QString answerLine(const std::optional<QString>& reply, QStringView name);

// The SIM as the answer to AT+CPIN? tells it: "ready", "PIN needed", "PUK needed",
// "not inserted", or what the modem said, quoted.
QString simState(QStringView reply);
// Whether the answer to AT+CPIN? says the SIM is ready, so that the modem may send.
[[nodiscard]] bool simReady(QStringView reply);

} // namespace orva
