#include "ModemReadiness.h"

#include "ModemStatus.h"

namespace orva {

// The first question that fails names the trouble. A registered modem can send whatever it
// says of its signal; one that is not registered and hears nothing says so by its signal.
std::optional<QString> modemTrouble(const ModemHealth& health)
{
    if (!health.at)
        return QStringLiteral("no answer");
    if (!health.sim)
        return QStringLiteral("no answer to AT+CPIN?");
    if (!simReady(*health.sim))
        return QStringLiteral("SIM not ready (%1)").arg(simState(*health.sim));
    if (!health.registration)
        return QStringLiteral("no answer to AT+CREG?");
    const Registration network = registration(*health.registration);
    if (network.registered)
        return std::nullopt;
    if (!health.signal)
        return QStringLiteral("no answer to AT+CSQ");
    if (!signalDbm(*health.signal))
        return QStringLiteral("no signal");
    if (network.text == u"registration denied" || network.text == u"not registered")
        return network.text;
    return QStringLiteral("not registered (%1)").arg(network.text);
}

ModemFindings modemFindings(const ModemHealth& health, const std::optional<QString>& textMode)
{
    if (!health.at)
        return {{QStringLiteral("Modem: no answer to AT")},
                QStringLiteral("the modem does not answer")};
    const QString simAnswer = health.sim.value_or(QString());
    const QString sim = simState(simAnswer);
    const Registration network = registration(health.registration.value_or(QString()));
    const bool textModeAccepted = textMode && finalResult(*textMode) == u"OK";
    ModemFindings findings{
        {
            QStringLiteral("Modem: answers AT"),
            QStringLiteral("SIM: ") + sim,
            QStringLiteral("Signal: ") + signalQuality(health.signal.value_or(QString())),
            QStringLiteral("Network: ") + network.text,
            QStringLiteral("Text mode: ") +
                (textModeAccepted ? QStringLiteral("accepted") : QStringLiteral("refused")),
        },
        std::nullopt};
    if (!simReady(simAnswer))
        findings.notReady = QStringLiteral("the SIM is not ready (%1)").arg(sim);
    else if (!network.registered)
        findings.notReady = QStringLiteral("the modem is not on a network (%1)").arg(network.text);
    else if (!textModeAccepted)
        findings.notReady = QStringLiteral("the modem refuses text mode");
    return findings;
}

} // namespace orva
