#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace orva {

// The modem's answers to the questions of a check; none where no final result came in time.
struct ModemHealth {
    std::optional<QString> at;           // AT
    std::optional<QString> sim;          // AT+CPIN?
    std::optional<QString> registration; // AT+CREG?
    std::optional<QString> signal;       // AT+CSQ
};

// Why the modem cannot send, from the answers of a check between alarms: "no answer", "SIM not
// ready (PIN needed)", "no signal", "registration denied", "not registered", "not registered
// (searching)", or "no answer to AT+CPIN?" and the like; none when it is registered with its
// SIM ready.
[[nodiscard]] std::optional<QString> modemTrouble(const ModemHealth& health);

// What the operator's check of a modem says: one finding a line, and why the modem is not
// ready to send; none when it is.
struct ModemFindings {
    QStringList lines;
    std::optional<QString> notReady;
};

// The findings from the answers of a check and the answer to AT+CMGF=1 (text mode), one line
// for each question in the order AT, AT+CPIN?, AT+CSQ, AT+CREG?, AT+CMGF=1, each telling only
// its own answer: the SIM must be ready, the modem registered and text mode accepted. A modem
// that did not answer AT has one finding only, and is asked nothing more.
[[nodiscard]] ModemFindings modemFindings(const ModemHealth& health,
                                          const std::optional<QString>& textMode);

} // namespace orva
