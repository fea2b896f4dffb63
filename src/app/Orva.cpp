#include "Orva.h"

#include "BusyCursor.h"
#include "LineSetup.h"
#include "common/Failure.h"
#include "common/Platform.h"
#include "common/ServiceManager.h"
#include "config/SettingsFile.h"

#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace orva {
namespace {

const QString kStarted = QStringLiteral("SMS Program Started");

} // namespace

Orva::Orva(EndProcess endProcess, Timing timing)
    : endProcess_(std::move(endProcess))
    , timing_(timing)
    , log_(platform::dataFolder(), timing_.clock)
    , modemLine_(lineName(kSlotA))
    , alarmLine_(lineName(kSlotB))
    , settingsWindow_(store_)
    , modem_(
          modemLine_, timing_.modemWaitUnit,
          [this](const QString& entry, Severity severity) { recordSmsOutcome(entry, severity); },
          [this] { return stopRequested(); })
    , scan_(
          alarmLine_, store_, mainWindow_, [this](const QString& line) { sendAlarm(line); },
          [this](const QString& entry, Severity severity) { record(entry, severity); },
          {timing_.scanPeriod, timing_.settleWait})
    , watch_(
          modemLine_, alarmLine_,
          [this](const QString& entry, Severity severity) { recordQuietly(entry, severity); },
          [this](const QString& number, const QString& text) { return sendSms(number, text); },
          timing_.clock)
    , failureMessage_(timing_.unattendedFailureWait)
{
    scan_.setIdleWork([this] { watch_.betweenCycles(); });
    for (SerialLine* line : {&modemLine_, &alarmLine_})
        line->setOverflowReport([this](const QString& cause) {
            recordQuietly(QStringLiteral("Port Error: ") + cause, Severity::Warning);
        });
    keepWatchdogInformed();
    connect(&terminationSignals_, &TerminationSignals::terminationRequested, this,
            &Orva::requestTermination);
    connect(mainWindow_.settingsButton(), &QPushButton::clicked, this, &Orva::showSettings);
    connect(mainWindow_.manualSmsButton(), &QPushButton::clicked, this, &Orva::showManualSms);
    connect(&mainWindow_, &MainWindow::closing, this, &Orva::shutdown);
}

Orva::~Orva()
{
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
        record(kStarted);
        service::ready();
        watch_.start(watches, store_.handphoneNumber());
        scan_.start();
    } catch (const std::exception& failure) {
        failurePath(QString::fromStdString(failure.what()));
    }
}

void Orva::openLine(SerialLine& line, int slot)
{
    configureLine(line, store_, slot);
    line.open();
}

// Every event the operator sees in the status line is in the log too, written first.
void Orva::record(const QString& entry, Severity severity)
{
    log_.write(entry, severity);
    mainWindow_.setLine(0, entry);
}

// For an entry nobody waits for, written in the middle of other work: one the log cannot take
// has gone to standard error already.
void Orva::recordQuietly(const QString& entry, Severity severity)
{
    try {
        record(entry, severity);
    } catch (const std::exception&) {
    }
}

// The watchdog hears from the event loop, which runs whenever ORVA waits for the operator or
// for a burst to settle, and from every unit of a transaction's waits; the status line's text
// becomes the service's status.
void Orva::keepWatchdogInformed()
{
    connect(mainWindow_.statusLine(), &QLineEdit::textChanged, this,
            [](const QString& text) { service::status(text); });
    const std::chrono::milliseconds interval = service::watchdogInterval();
    if (interval == std::chrono::milliseconds::zero())
        return;
    watchdogTimer_.setInterval(std::max(interval / 4, std::chrono::milliseconds(10)));
    connect(&watchdogTimer_, &QTimer::timeout, this, [] { service::keepAlive(); });
    watchdogTimer_.start();
    service::keepAlive();
}

bool Orva::stopRequested() const
{
    return stopping_ || TerminationSignals::requested();
}

void Orva::failurePath(const QString& cause)
{
    scan_.stop();
    failureMessage_.show(cause);
    service::stopping();
    endWithEntry(QStringLiteral("Start up Com port error, Program Exit"), 1);
}

void Orva::shutdown()
{
    stopping_ = true;
    service::stopping();
    // A burst settling, say: its live alarms reach the modem, which logs each as not sent; so
    // do the watch's messages still to go.
    scan_.handleWaitingNow();
    watch_.sendPendingNow();
    endWithEntry(QStringLiteral("SMS Program Exit"), 0);
}

// The process ends even when its last entry cannot be written; the cause is said instead.
// The lines are closed just before, so that no lock file of theirs outlives the process.
void Orva::endWithEntry(const QString& entry, int exitStatus)
{
    try {
        log_.write(entry, exitStatus == 0 ? Severity::Info : Severity::Error);
    } catch (const Failure& failure) {
        tellStandardError(failure.message());
    }
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
    const SmsOutcome outcome = sendSms(sms_.number, sms_.text);
    watch_.transactionEnded(outcome, false);
    if (outcome.kind == SmsOutcome::Kind::PortFailure)
        manualSmsWindow_->tell(QMessageBox::NoIcon, outcome.detail);
    else if (const auto failure = std::exchange(unrecordedSms_, std::nullopt))
        manualSmsWindow_->tell(QMessageBox::NoIcon, *failure);
}

// The outcome is returned also when its entry could not be logged, so that the watch hears it.
SmsOutcome Orva::sendSms(const QString& number, const QString& text)
{
    const BusyCursor busy;
    unrecordedSms_.reset();
    return modem_.send(number, text);
}

void Orva::recordSmsOutcome(const QString& entry, Severity severity)
{
    try {
        record(entry, severity);
    } catch (const Failure& failure) {
        unrecordedSms_ = failure.message();
    }
}

} // namespace orva
