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

// The modem's answers to the questions of a check; none where no final result came in time.
struct ModemHealth {
    std::optional<QString> at;           // AT
    std::optional<QString> sim;          // AT+CPIN?
    std::optional<QString> registration; // AT+CREG?
    std::optional<QString> signal;       // AT+CSQ
};

// Why the modem cannot send, from the answers of a check: "no answer", "SIM not ready (PIN
// needed)", "no signal", "registration denied", "not registered", "not registered (searching)",
// or "no answer to AT+CPIN?" and the like; none when it is registered with its SIM ready.
[[nodiscard]] std::optional<QString> modemTrouble(const ModemHealth& health);

} // namespace orva
