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

inline constexpr ModemQuestion kAskAt{"AT", &ModemHealth::at};
inline constexpr ModemQuestion kAskSim{"AT+CPIN?", &ModemHealth::sim};
inline constexpr ModemQuestion kAskRegistration{"AT+CREG?", &ModemHealth::registration};
inline constexpr ModemQuestion kAskSignal{"AT+CSQ", &ModemHealth::signal};
inline constexpr ModemQuestion kAskPacket{"AT+CGREG?", &ModemHealth::packetRegistration};
inline constexpr ModemQuestion kAskEps{"AT+CEREG?", &ModemHealth::epsRegistration};
inline constexpr ModemQuestion kAskFiveG{"AT+C5GREG?", &ModemHealth::fiveGRegistration};
inline constexpr ModemQuestion kAskExtendedSignal{"AT+CESQ", &ModemHealth::extendedSignal};
inline constexpr ModemQuestion kAskTextMode{"AT+CMGF=1", &ModemHealth::textMode};

// The questions of a check, between alarms and by the operator, in the order they are asked;
// the operator's check asks text mode after them. A GSM modem's questions come first, so that a
// modem that knows no others is judged by them alone, also when it leaves the others unanswered
// until the check's time is up.
inline constexpr std::array kModemQuestions{kAskAt,     kAskSim,           kAskRegistration,
                                            kAskSignal, kAskPacket,        kAskEps,
                                            kAskFiveG,  kAskExtendedSignal};

} // namespace orva
