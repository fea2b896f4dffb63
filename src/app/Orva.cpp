#include "Orva.h"

#include "LineSetup.h"
#include "Recording.h"
#include "common/Failure.h"
#include "config/SettingsFile.h"
#include "messaging/ModemQuestions.h"
#include "system/Platform.h"
#include "system/ServiceManager.h"
#include "system/StandardError.h"
#include "windows/BusyCursor.h"

#include <QPushButton>
#include <algorithm>
#include <cstdlib>

namespace orva {
namespace {

// How many days' files are read back at start-up for an episode the log left open.
constexpr int kDaysReadBack = 31;

// The program that started and has not ended yet, for the process's exit handler.
Orva* running = nullptr;

void endRunningProgram()
{
    if (running != nullptr)
        running->endForced();
}

} // namespace

Orva::Orva(EndProcess endProcess, Timing timing)
    : endProcess_(std::move(endProcess))
    , timing_(timing)
    , log_(platform::dataFolder(), timing_.clock)
    , modemLine_(lineName(kSlotA))
    , alarmLine_(lineName(kSlotB))
    , settingsWindow_(store_)
    , record_(recordInto(log_, mainWindow_))
    , modem_(modemLine_, timing_.smsWaits(), record_, [this] { return stopRequested(); })
    , scan_(alarmLine_, store_, mainWindow_, [this](const QString& line) { sendAlarm(line); },
            record_, {timing_.scanPeriod, timing_.settleWait})
    , watch_(watchLinks(), timing_.clock, timing_.retryWithoutChecks)
    , heartbeat_(*mainWindow_.statusLine(), timing_.watchdogPace())
    , failureMessage_(timing_.unattendedFailureWait)
{
    scan_.setEndOfCycleWork([this] { watch_.afterScan(); });
    for (SerialLine* line : {&modemLine_, &alarmLine_})
        line->setOverflowReport([this](const QString& cause) {
            record_({QStringLiteral("Port Error: ") + cause, Severity::Warning});
        });
    connect(&terminationSignals_, &TerminationSignals::terminationRequested, this,
            &Orva::requestTermination);
    connect(mainWindow_.settingsButton(), &QPushButton::clicked, this, &Orva::showSettings);
    connect(mainWindow_.manualSmsButton(), &QPushButton::clicked, this, &Orva::showManualSms);
    connect(&mainWindow_, &MainWindow::closing, this, &Orva::shutdown);
}

Orva::~Orva()
{
    if (running == this)
        running = nullptr;
    delete manualSmsWindow_;
}

void Orva::startUp()
{
    try {
        readSettingsFile(settingsFilePath(), store_);
        settingsWindow_.showStore();
        checkAlarmThreshold(store_);
        const WatchSettings watches = readWatchSettings(store_);
        openLine(modemLine_, kSlotA);
        openLine(alarmLine_, kSlotB);
        sms_.number = store_.handphoneNumber();
        const PreviousRun previous = readPreviousRun(watches);
        if (const Recorded started = record_({kProgramStarted}); !started.logged)
            throw Failure(started.failure);
        service::ready();
        watch_.start(watches, store_.handphoneNumber(), previous);
        scan_.start();
        // Registered this late, the handler runs before the ending process takes down what
        // start-up set up.
        static const bool handlerRegistered = std::atexit(endRunningProgram) == 0;
        if (handlerRegistered)
            running = this;
    } catch (const std::exception& failure) {
        failurePath(QString::fromStdString(failure.what()));
    }
}

// The watch asks the modem on port A, opened again if it failed, within one bound.
PathWatch::Links Orva::watchLinks()
{
    return {
        .askModem =
            [this] {
                modemLine_.reopenIfFailed();
                return askModemHealth(modemLine_, QDeadlineTimer(timing_.watchCheckBound),
                                      timing_.questionPace());
            },
        .received = [this] { return alarmLine_.receivedCount(); },
        .record = record_,
        .send = [this](const QString& number,
                       const QString& text) { return sendSms(number, text); },
        .computerName = &platform::computerName,
    };
}

// Only a watch tells of the run before; an episode only a modem check can have left open. The
// log's trouble is no reason not to start.
PreviousRun Orva::readPreviousRun(const WatchSettings& watches) const
{
    if (!watches.any())
        return {};
    const auto newestFileOnly = [](const LoggedEntry&) { return true; };
    const std::function<bool(const LoggedEntry&)> reachesBack =
        watches.modemCheckMinutes ? episodeBoundary : +newestFileOnly;
    try {
        return previousRun(log_.readBack(reachesBack, kDaysReadBack));
    } catch (const std::exception&) {
        return {};
    }
}

void Orva::openLine(SerialLine& line, int slot)
{
    configureLine(line, store_, slot);
    line.open();
}

bool Orva::stopRequested() const
{
    return stopping_ || TerminationSignals::requested();
}

// Start-up ends before the scan starts: no scan runs while the message waits.
void Orva::failurePath(const QString& cause)
{
    failureMessage_.show(cause);
    service::stopping();
    endWithEntry(kFailedStartExit, 1);
}

void Orva::shutdown()
{
    endLoggingUnsent(0);
}

void Orva::endForced()
{
    endLoggingUnsent(1);
}

void Orva::endLoggingUnsent(int exitStatus)
{
    stopping_ = true;
    service::stopping();
    // A burst settling, say: its live alarms reach the modem, which logs each as not sent; so
    // do the watch's messages still to go.
    scan_.handleWaitingNow();
    watch_.sendPendingNow();
    endWithEntry(kProgramExit, exitStatus);
}

// The process ends even when its last entry cannot be written; the cause is said instead. The
// entry is not shown: the status line would become the service's status as it ends.
// The lines are closed just before, so that no lock file of theirs outlives the process.
void Orva::endWithEntry(const QString& entry, int exitStatus)
{
    if (running == this)
        running = nullptr;
    const Severity severity = exitStatus == 0 ? Severity::Info : Severity::Error;
    if (const Recorded exit = logEvent(log_, {entry, severity}); !exit.logged)
        tellStandardError(exit.failure);
    modemLine_.close();
    alarmLine_.close();
    endProcess_(exitStatus);
}

void Orva::requestTermination()
{
    if (!failureMessage_.acknowledge())
        shutdown();
}

void Orva::showSettings()
{
    settingsWindow_.show();
    settingsWindow_.raise();
    settingsWindow_.activateWindow();
    settingsWindow_.showComputerName(platform::computerName()); // asked anew at every press
}

void Orva::showManualSms()
{
    if (!manualSmsWindow_) {
        manualSmsWindow_ = new ManualSmsWindow;
        connect(manualSmsWindow_, &ManualSmsWindow::sendRequested, this, &Orva::sendTyped);
        connect(manualSmsWindow_, &ManualSmsWindow::closing, this,
                [this] { sms_.manualWindowClosed(store_.handphoneNumber()); });
    }
    manualSmsWindow_->show();
    manualSmsWindow_->raise();
    manualSmsWindow_->activateWindow();
}

// An alarm's entry that the log cannot take has gone to standard error; the scan goes on.
void Orva::sendAlarm(const QString& line)
{
    sms_.text = line;
    watch_.transactionEnded(sendSms(sms_.number, sms_.text), true);
}

// A port failure ends the transaction; the operator is told why in the manual window, as when
// the log cannot take the entry.
void Orva::sendTyped(const QString& number, const QString& text)
{
    if (!sms_.takeTyped(number, text)) {
        manualSmsWindow_->tell(QMessageBox::Warning, QStringLiteral("Pager No. Must Be 8 Digits."));
        return;
    }
    const SmsModem::Result sent = sendAndRecord(sms_.number, sms_.text);
    watch_.transactionEnded(sent.outcome, false);
    if (sent.outcome.kind == SmsOutcome::Kind::PortFailure)
        manualSmsWindow_->tell(QMessageBox::NoIcon, sent.outcome.detail);
    else if (!sent.recorded.logged)
        manualSmsWindow_->tell(QMessageBox::NoIcon, sent.recorded.failure);
}

// The outcome is returned also when its entry could not be logged, so that the watch hears it.
SmsOutcome Orva::sendSms(const QString& number, const QString& text)
{
    return sendAndRecord(number, text).outcome;
}

SmsModem::Result Orva::sendAndRecord(const QString& number, const QString& text)
{
    const BusyCursor busy;
    return modem_.send(number, text);
}

} // namespace orva
