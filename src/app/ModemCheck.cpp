#include "ModemCheck.h"

#include "LineSetup.h"
#include "common/Failure.h"
#include "common/Platform.h"
#include "config/SettingsFile.h"
#include "config/SettingsStore.h"
#include "config/WatchSettings.h"
#include "messaging/ModemQuestions.h"
#include "serial/SerialLine.h"

#include <thread>

namespace orva {
namespace {

// Which device a port name leads to, as the operator wired it.
QString wiring(const QString& portName)
{
    try {
        const QString device = platform::deviceBehind(portName);
        return device == portName ? portName
                                  : QStringLiteral("%1, a link to %2").arg(portName, device);
    } catch (const Failure& failure) {
        return failure.message();
    }
}

} // namespace

ModemCheck::ModemCheck(Say say)
    : say_(std::move(say))
{
}

int ModemCheck::run()
{
    SettingsStore store;
    try {
        readSettingsFile(settingsFilePath(), store);
    } catch (const Failure& failure) {
        notReady(failure.message());
        say_(QStringLiteral("Not ready: ") + reason_);
        return 1;
    }
    // A threshold ORVA would not start with is a reason too; the modem is checked all the same.
    findOut([&store] { checkAlarmThreshold(store); });
    findOut([this, &store] {
        for (const QString& watch : describeWatchSettings(readWatchSettings(store)))
            say_(watch);
    });
    bool modemReady = false;
    findOut([&] { modemReady = checkModem(store); }); // a failure: the modem went away
    try {
        if (!silent_)
            checkAlarmPort(store);
    } catch (const Failure& failure) {
        say_(failure.message());
    }
    const bool ready = modemReady && reason_.isEmpty();
    say_(ready ? QStringLiteral("Ready to send SMS.") : QStringLiteral("Not ready: ") + reason_);
    return ready ? 0 : 1;
}

// Runs a step of the check; its failure is a finding, and a reason why ORVA is not ready.
void ModemCheck::findOut(const std::function<void()>& step)
{
    try {
        step();
    } catch (const Failure& failure) {
        say_(failure.message());
        notReady(failure.message());
    }
}

bool ModemCheck::checkModem(const SettingsStore& store)
{
    SerialLine line(QStringLiteral("Port A (SMS modem)"));
    if (!openPort(line, store, kSlotA))
        return false;
    if (!ask(line, QStringLiteral("AT"))) {
        silent_ = true;
        say_(QStringLiteral("Modem: no answer to AT"));
        return notReady(QStringLiteral("the modem does not answer"));
    }
    say_(QStringLiteral("Modem: answers AT"));
    const QString sim = simState(ask(line, QStringLiteral("AT+CPIN?")).value_or(QString()));
    say_(QStringLiteral("SIM: ") + sim);
    say_(QStringLiteral("Signal: ") +
         signalQuality(ask(line, QStringLiteral("AT+CSQ")).value_or(QString())));
    const Registration network =
        registration(ask(line, QStringLiteral("AT+CREG?")).value_or(QString()));
    say_(QStringLiteral("Network: ") + network.text);
    const auto textMode = ask(line, QStringLiteral("AT+CMGF=1"));
    const bool textModeAccepted = textMode && finalResult(*textMode) == u"OK";
    say_(QStringLiteral("Text mode: ") +
         (textModeAccepted ? QStringLiteral("accepted") : QStringLiteral("refused")));
    if (sim != u"ready")
        return notReady(QStringLiteral("the SIM is not ready (%1)").arg(sim));
    if (!network.registered)
        return notReady(QStringLiteral("the modem is not on a network (%1)").arg(network.text));
    if (!textModeAccepted)
        return notReady(QStringLiteral("the modem refuses text mode"));
    return true;
}

void ModemCheck::checkAlarmPort(const SettingsStore& store)
{
    SerialLine line(QStringLiteral("Port B (alarm port)"));
    if (!openPort(line, store, kSlotB))
        return;
    std::this_thread::sleep_for(alarmWindow);
    say_(QStringLiteral("Port B (alarm port): open; %1 bytes arrived in %2 s")
             .arg(line.InBufferCount())
             .arg(alarmWindow.count() / 1000.0));
}

bool ModemCheck::openPort(SerialLine& line, const SettingsStore& store, int slot)
{
    try {
        configureLine(line, store, slot);
        say_(QStringLiteral("%1: %2").arg(line.name(), wiring(line.device())));
        line.setPortOpen(true);
        return true;
    } catch (const Failure& failure) {
        say_(failure.message());
        return notReady(failure.message());
    }
}

std::optional<QString> ModemCheck::ask(SerialLine& line, const QString& command)
{
    return askModem(line, command, QDeadlineTimer(commandBound));
}

bool ModemCheck::notReady(const QString& reason)
{
    if (reason_.isEmpty())
        reason_ = reason;
    return false;
}

} // namespace orva
