#pragma once

#include "ModemHealth.h"
#include "NetworkRegistration.h"
#include "SignalLevel.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace orva {

// Each domain's registration state from the answers of a check.
[[nodiscard]] RegistrationStates registrationStates(const ModemHealth& health);
// The signal level from the answers of a check.
[[nodiscard]] std::optional<SignalLevel> signalLevel(const ModemHealth& health);

// Why the modem cannot send, from the answers of a check between alarms: "no answer", "SIM not
// ready (PIN needed)", "no signal", "registration denied", "not registered", "not registered
// (searching)", or "no answer to AT+CPIN?" and the like; none when it is registered in any
// domain with its SIM ready.
[[nodiscard]] std::optional<QString> modemTrouble(const ModemHealth& health);

// What the answers of a check say of the modem, leaving out what changes from one check to the
// next (levels, cells): two checks alike tell the same state. None when the modem did not
// answer the questions of its SIM and its circuit-switched registration.
struct ModemState {
    QString sim;
    RegistrationStates registration;
    bool signalKnown = false;

    friend bool operator==(const ModemState&, const ModemState&) = default;
};
[[nodiscard]] std::optional<ModemState> modemState(const ModemHealth& health);

// What the operator's check says once a question of kCheckQuestions has been answered, one
// finding a line: whether the modem answers AT, the SIM, each status answer as the modem gave
// it, the signal and the network once the last of them came, and text mode.
[[nodiscard]] QStringList findingsOn(const ModemQuestion& question, const ModemHealth& health);

// Why the operator's check finds the modem not ready to send: it must answer, its SIM be ready,
// it be registered and take text mode; none when it is.
[[nodiscard]] std::optional<QString> notReadyReason(const ModemHealth& health);

// All the findings of a check, in the order of kCheckQuestions, and why the modem is not ready.
// A modem that did not answer AT has one finding only, and is asked nothing more.
struct ModemFindings {
    QStringList lines;
    std::optional<QString> notReady;
};
[[nodiscard]] ModemFindings modemFindings(const ModemHealth& health);

} // namespace orva
