#include "ModemReadiness.h"

#include "ModemStatus.h"

namespace orva {
namespace {

QString text(const std::optional<QString>& answer)
{
    return answer.value_or(QString());
}

// The name of the information line that answers a query: "+CREG:" for AT+CREG?.
QString informationName(QStringView command)
{
    return command.sliced(2).chopped(command.endsWith(u'?') ? 1 : 0).toString() + u':';
}

bool textModeAccepted(const ModemHealth& health)
{
    return health.textMode && finalResult(*health.textMode) == u"OK";
}

// What one answer says: whether the modem answers AT, the SIM, text mode, or a status answer as
// the modem gave it.
QString findingOn(const ModemQuestion& question, const ModemHealth& health)
{
    const std::optional<QString>& answer = health.*question.answer;
    if (question.answer == &ModemHealth::at)
        return answer ? QStringLiteral("Modem: answers AT")
                      : QStringLiteral("Modem: no answer to AT");
    if (question.answer == &ModemHealth::sim)
        return QStringLiteral("SIM: ") + simState(text(answer));
    if (question.answer == &ModemHealth::textMode)
        return QStringLiteral("Text mode: ") +
               (textModeAccepted(health) ? QStringLiteral("accepted") : QStringLiteral("refused"));
    const QString command = QLatin1String(question.command);
    return command + QStringLiteral(": ") + answerLine(answer, informationName(command));
}

} // namespace

RegistrationStates registrationStates(const ModemHealth& health)
{
    return {registrationState(text(health.registration), Domain::CircuitSwitched),
            registrationState(text(health.packetRegistration), Domain::Packet),
            registrationState(text(health.epsRegistration), Domain::Eps),
            registrationState(text(health.fiveGRegistration), Domain::FiveG)};
}

std::optional<SignalLevel> signalLevel(const ModemHealth& health)
{
    return signalLevel(text(health.signal), text(health.extendedSignal));
}

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
    const NetworkVerdict network = networkVerdict(registrationStates(health));
    if (network.registered)
        return std::nullopt;
    if (!health.signal)
        return QStringLiteral("no answer to AT+CSQ");
    if (!signalLevel(health))
        return QStringLiteral("no signal");
    if (network.text == u"registration denied" || network.text == u"not registered")
        return network.text;
    return QStringLiteral("not registered (%1)").arg(network.text);
}

std::optional<ModemState> modemState(const ModemHealth& health)
{
    if (!health.sim || !health.registration)
        return std::nullopt;
    return ModemState{simState(*health.sim), registrationStates(health),
                      signalLevel(health).has_value()};
}

ModemHealth askAndSayFindings(const AskQuestion& ask, const SayFinding& say)
{
    ModemHealth health;
    for (const ModemQuestion& question : kModemQuestions) {
        health.*question.answer = ask(question);
        say(findingOn(question, health));
        if (!health.at)
            return health;
    }
    say(QStringLiteral("Signal: ") + signalQuality(signalLevel(health)));
    say(QStringLiteral("Network: ") + networkVerdict(registrationStates(health)).text);
    health.textMode = ask(kAskTextMode);
    say(findingOn(kAskTextMode, health));
    return health;
}

std::optional<QString> notReadyReason(const ModemHealth& health)
{
    if (!health.at)
        return QStringLiteral("the modem does not answer");
    if (!simReady(text(health.sim)))
        return QStringLiteral("the SIM is not ready (%1)").arg(simState(text(health.sim)));
    const NetworkVerdict network = networkVerdict(registrationStates(health));
    if (!network.registered)
        return QStringLiteral("the modem is not on a network (%1)").arg(network.text);
    if (!textModeAccepted(health))
        return QStringLiteral("the modem refuses text mode");
    return std::nullopt;
}

ModemFindings modemFindings(const ModemHealth& health)
{
    ModemFindings findings{{}, notReadyReason(health)};
    (void)askAndSayFindings(
        [&health](const ModemQuestion& question) { return health.*question.answer; },
        [&findings](const QString& finding) { findings.lines << finding; });
    return findings;
}

} // namespace orva
