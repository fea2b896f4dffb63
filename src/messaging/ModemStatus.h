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

// The SIM as the answer to AT+CPIN? tells it: "ready", "PIN needed", "PUK needed",
// "not inserted", or what the modem said, quoted.
QString simState(QStringView reply);
// Whether the answer to AT+CPIN? says the SIM is ready, so that the modem may send.
[[nodiscard]] bool simReady(QStringView reply);

// The signal as the answer to AT+CSQ tells it, such as "-73 dBm, excellent" or "unknown".
QString signalQuality(QStringView reply);

// The signal strength in dBm the answer to AT+CSQ tells; none when the modem cannot tell.
[[nodiscard]] std::optional<int> signalDbm(QStringView reply);

// The network as the answer to AT+CREG? tells it, and whether the modem may send.
struct Registration {
    QString text;
    bool registered = false;
};
Registration registration(QStringView reply);

} // namespace orva
