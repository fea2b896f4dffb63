#pragma once

#include "ModemHealth.h"
#include "NetworkRegistration.h"
#include "SignalLevel.h"

#include <QString>
#include <QStringList>
#include <functional>
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

// The operator's check: asks each question of kModemQuestions, then text mode, and says each
// finding, one a line, as soon as the answer it rests on came, so that a modem lost in the middle
// leaves what was found before: whether the modem answers AT, the SIM, each status answer as the
// modem gave it, then the signal and the network, which rest on them all, and text mode. A modem
// that does not answer AT is asked nothing more. Returns the answers.
using AskQuestion = std::function<std::optional<QString>(const ModemQuestion& question)>;
using SayFinding = std::function<void(const QString& finding)>;
ModemHealth askAndSayFindings(const AskQuestion& ask, const SayFinding& say);

// Why the operator's check finds the modem not ready to send: it must answer, its SIM be ready,
// it be registered and take text mode; none when it is.
[[nodiscard]] std::optional<QString> notReadyReason(const ModemHealth& health);

// All the findings of a check that got these answers, and why the modem is not ready.
struct ModemFindings {
    QStringList lines;
    std::optional<QString> notReady;
};
[[nodiscard]] ModemFindings modemFindings(const ModemHealth& health);

} // namespace orva
