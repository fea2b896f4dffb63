#include "Orva.h"

#include "BusyCursor.h"
#include "LineSetup.h"
#include "common/Failure.h"
#include "common/Platform.h"
#include "common/ServiceManager.h"
#include "common/VisibleText.h"
#include "config/SettingsFile.h"
#include "serial/SerialLine.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <cstdio>

namespace orva {
namespace {

const QString kStarted = QStringLiteral("SMS Program Started");

// Says a failure on standard error, on one line whatever the message holds.
void tellStandardError(const QString& message)
{
    std::fprintf(stderr, "ORVA: %s\n", visibleText(message).toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace

Orva::Orva(EndProcess endProcess, Timing timing)
    : endProcess_(std::move(endProcess))
    , timing_(timing)
    , log_(platform::dataFolder(), timing_.clock)
    , lines_{std::make_unique<SerialLine>(QStringLiteral("port A (SMS modem)")),
             std::make_unique<SerialLine>(QStringLiteral("port B (alarm port)"))}
    , form3_(store_)
    , modem_(
          MSComm1(0),
          [this](const QString& entry, Severity severity) { recordSmsOutcome(entry, severity); },
          [this] { return stopRequested(); })
    , scan_(
          MSComm1(1), store_, form1_, [this](const QString& line) { sendAlarm(line); },
          [this](const QString& entry, Severity severity) { record(entry, severity); })
    , watch_(
          MSComm1(0), MSComm1(1),
          [this](const QString& entry, Severity severity) { recordQuietly(entry, severity); },
          [this](const QString& number, const QString& text) { return sendSms(number, text); },
          timing_.clock)
{
    scan_.settleWait = timing_.settleWait;
    scan_.betweenCycles = [this] { watch_.betweenCycles(); };
    for (const auto& line : lines_)
        line->setOverflowReport([this](const QString& cause) {
            recordQuietly(QStringLiteral("Port Error: ") + cause, Severity::Warning);
        });
    keepWatchdogInformed();
    connect(&terminationSignals_, &TerminationSignals::terminationRequested, this,
            &Orva::requestTermination);
    connect(form1_.Command1(), &QPushButton::clicked, this, &Orva::showSettings);
    connect(form1_.Command2(), &QPushButton::clicked, this, &Orva::showManualSms);
    connect(&form1_, &Form1::unloading, this, &Orva::shutdown);
}

Orva::~Orva()
{
    delete manualSms_;
}

void Orva::startUp()
{
    modem_.transaction().ModemWaitMs = timing_.modemWait;
    try {
        readSettingsFile(settingsFilePath(), store_);
        form3_.showStore();
        checkAlarmThreshold(store_);
        const WatchSettings watches = readWatchSettings(store_);
        openLine(MSComm1(0), kSlotA);
        openLine(MSComm1(1), kSlotB);
        sms_.SmsNumber = store_.handphoneNumber();
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
    line.setPortOpen(true);
}

// Every event the operator sees in the status line is in the log too, written first.
void Orva::record(const QString& entry, Severity severity)
{
    log_.LogEvent(entry, severity);
    form1_.setLine(0, entry);
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
    connect(form1_.Text1(0), &QLineEdit::textChanged, this,
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

// Under a service manager nobody may be there to press OK: the message closes itself, so that
// ORVA is started again and takes a modem plugged in meanwhile.
void Orva::failurePath(const QString& cause)
{
    scan_.stop();
    tellStandardError(QStringLiteral("start-up failed: ") + cause);
    const QString message = QStringLiteral("Comm port error, Program exit");
    service::status(message + QStringLiteral(": ") + visibleText(cause));
    {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("ORVA"), message, QMessageBox::Ok);
        box.setInformativeText(visibleText(cause));
        failureBox_ = &box;
        if (service::supervised())
            QTimer::singleShot(timing_.unattendedFailureWait, &box,
                               [&box] { box.button(QMessageBox::Ok)->click(); });
        box.exec();
    }
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
        log_.LogEvent(entry, exitStatus == 0 ? Severity::Info : Severity::Error);
    } catch (const Failure& failure) {
        tellStandardError(failure.message());
    }
    for (const auto& line : lines_)
        line->setPortOpen(false);
    endProcess_(exitStatus);
}

void Orva::requestTermination()
{
    if (failureBox_)
        failureBox_->button(QMessageBox::Ok)->click();
    else
        shutdown();
}

void Orva::showSettings()
{
    form3_.show();
    form3_.raise();
    form3_.activateWindow();
    form3_.setField(kSlotC, Field::LineSettings, Form1::GetComputerName());
}

void Orva::showManualSms()
{
    if (!manualSms_) {
        manualSms_ = new ManualSms;
        connect(manualSms_, &ManualSms::sendRequested, this, &Orva::sendTyped);
        connect(manualSms_, &ManualSms::closing, this,
                [this] { sms_.manualWindowClosed(store_.handphoneNumber()); });
    }
    manualSms_->show();
    manualSms_->raise();
    manualSms_->activateWindow();
}

// An alarm's entry that the log cannot take has gone to standard error; the scan goes on.
void Orva::sendAlarm(const QString& line)
{
    sms_.SmsText = line;
    watch_.transactionEnded(sendSms(sms_.SmsNumber, sms_.SmsText), true);
}

// A port failure ends the transaction; the operator is told why in the manual window, as when
// the log cannot take the entry.
void Orva::sendTyped(const QString& number, const QString& text)
{
    if (!sms_.takeTyped(number, text)) {
        manualSms_->tell(QMessageBox::Warning, QStringLiteral("Pager No. Must Be 8 Digits."));
        return;
    }
    modem_.transaction().ModemWaitMs = timing_.modemWait;
    const SmsOutcome outcome = sendSms(sms_.SmsNumber, sms_.SmsText);
    watch_.transactionEnded(outcome, false);
    if (outcome.kind == SmsOutcome::Kind::PortFailure)
        manualSms_->tell(QMessageBox::NoIcon, outcome.detail);
    else if (const auto failure = std::exchange(unrecordedSms_, std::nullopt))
        manualSms_->tell(QMessageBox::NoIcon, *failure);
}

// The outcome is returned also when its entry could not be logged, so that the watch hears it.
SmsOutcome Orva::sendSms(const QString& number, const QString& text)
{
    const BusyCursor busy;
    unrecordedSms_.reset();
    return modem_.SendSms(number, text);
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
