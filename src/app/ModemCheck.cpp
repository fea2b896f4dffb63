#include "ModemCheck.h"

#include "LineSetup.h"
#include "common/Failure.h"
#include "config/SettingsFile.h"
#include "config/SettingsStore.h"
#include "messaging/ModemQuestions.h"
#include "messaging/ModemReadiness.h"
#include "serial/SerialLine.h"
#include "system/Platform.h"
#include "system/ServiceManager.h"
#include "watch/WatchSettings.h"

#include <chrono>
#include <thread>
#include <utility>

namespace orva {
namespace {

// A line's name at the start of a finding.
QString capitalised(QString name)
{
    name.front() = name.front().toUpper();
    return name;
}

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

ModemCheck::ModemCheck(Say say, Timing timing)
    : say_(std::move(say))
    , timing_(std::move(timing))
{
}

int ModemCheck::run()
{
    service::paceKeepAlive(timing_.watchdogPace()); // told as often as by the program
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

// The questions of a check between alarms, then text mode, each given its own time to answer.
bool ModemCheck::checkModem(const SettingsStore& store)
{
    SerialLine line(capitalised(lineName(kSlotA)));
    if (!openPort(line, store, kSlotA))
        return false;
    const ModemHealth health = askAndSayFindings(
        [this, &line](const ModemQuestion& question) {
            return ask(line, QLatin1String(question.command));
        },
        say_);
    silent_ = !health.at;
    const auto reason = notReadyReason(health);
    return reason ? notReady(*reason) : true;
}

void ModemCheck::checkAlarmPort(const SettingsStore& store)
{
    SerialLine line(capitalised(lineName(kSlotB)));
    if (!openPort(line, store, kSlotB))
        return;
    std::this_thread::sleep_for(timing_.checkListen);
    say_(QStringLiteral("%1: open; %2 bytes arrived in %3 s")
             .arg(line.name())
             .arg(line.reopenAndCountWaiting())
             .arg(timing_.checkListen.count() / 1000.0));
}

bool ModemCheck::openPort(SerialLine& line, const SettingsStore& store, int slot)
{
    try {
        configureLine(line, store, slot);
        say_(QStringLiteral("%1: %2").arg(line.name(), wiring(line.device())));
        line.open();
        return true;
    } catch (const Failure& failure) {
        say_(failure.message());
        return notReady(failure.message());
    }
}

std::optional<QString> ModemCheck::ask(SerialLine& line, const QString& command)
{
    return askModem(line, command, QDeadlineTimer(timing_.checkCommandBound),
                    timing_.questionPace());
}

bool ModemCheck::notReady(const QString& reason)
{
    if (reason_.isEmpty())
        reason_ = reason;
    return false;
}

} // namespace orva
