#pragma once

#include <QString>
#include <array>
#include <optional>

namespace orva {

// The modem's answers to the questions of a check; none where no final result came in time.
struct ModemHealth {
    std::optional<QString> at = {};                 // AT
    std::optional<QString> sim = {};                // AT+CPIN?
    std::optional<QString> registration = {};       // AT+CREG?: circuit-switched
    std::optional<QString> signal = {};             // AT+CSQ
    std::optional<QString> packetRegistration = {}; // AT+CGREG?: packet on 2G and 3G
    std::optional<QString> epsRegistration = {};    // AT+CEREG?: LTE, LTE-M, NB-IoT
    std::optional<QString> fiveGRegistration = {};  // AT+C5GREG?
    std::optional<QString> extendedSignal = {};     // AT+CESQ
    std::optional<QString> textMode = {}; // AT+CMGF=1, asked by the operator's check alone
};

// A question of a check, and where its answer goes.
struct ModemQuestion {
    const char* command;
    std::optional<QString> ModemHealth::*answer;
};

// Between alarms. A GSM modem's questions come first, so that a modem that knows no others is
// judged by them alone, also when it leaves the others unanswered until the check's time is up.
inline constexpr std::array<ModemQuestion, 8> kHealthQuestions{{
    {"AT", &ModemHealth::at},
    {"AT+CPIN?", &ModemHealth::sim},
    {"AT+CREG?", &ModemHealth::registration},
    {"AT+CSQ", &ModemHealth::signal},
    {"AT+CGREG?", &ModemHealth::packetRegistration},
    {"AT+CEREG?", &ModemHealth::epsRegistration},
    {"AT+C5GREG?", &ModemHealth::fiveGRegistration},
    {"AT+CESQ", &ModemHealth::extendedSignal},
}};

// The operator's check: the same questions in the order it has always asked them, and text mode
// last.
inline constexpr std::array<ModemQuestion, 9> kCheckQuestions{{
    {"AT", &ModemHealth::at},
    {"AT+CPIN?", &ModemHealth::sim},
    {"AT+CSQ", &ModemHealth::signal},
    {"AT+CREG?", &ModemHealth::registration},
    {"AT+CGREG?", &ModemHealth::packetRegistration},
    {"AT+CEREG?", &ModemHealth::epsRegistration},
    {"AT+C5GREG?", &ModemHealth::fiveGRegistration},
    {"AT+CESQ", &ModemHealth::extendedSignal},
    {"AT+CMGF=1", &ModemHealth::textMode},
}};

} // namespace orva
