#include "Orva.h"

#include "BusyCursor.h"
#include "LineSetup.h"
#include "common/Failure.h"
#include "common/Platform.h"
#include "common/VisibleText.h"
#include "config/SettingsFile.h"
#include "serial/SerialLine.h"

#include <QMessageBox>
#include <QPushButton>
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
    , log_(platform::dataFolder())
    , lines_{std::make_unique<SerialLine>(QStringLiteral("port A (SMS modem)")),
             std::make_unique<SerialLine>(QStringLiteral("port B (alarm port)"))}
    , form3_(store_)
    , modem_(
          MSComm1(0), [this](const QString& entry) { record(entry); },
          [this] { return stopRequested(); })
    , scan_(
          MSComm1(1), store_, form1_, [this](const QString& line) { sendAlarm(line); },
          [this](const QString& entry) { record(entry); })
{
    scan_.settleWait = timing_.settleWait;
    for (const auto& line : lines_)
        line->setOverflowReport([this](const QString& cause) {
            recordQuietly(QStringLiteral("Port Error: ") + cause);
        });
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
        openLine(MSComm1(0), kSlotA);
        openLine(MSComm1(1), kSlotB);
        sms_.SmsNumber = store_.handphoneNumber();
        record(kStarted);
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
void Orva::record(const QString& entry)
{
    log_.LogEvent(entry);
    form1_.setLine(0, entry);
}

// For an entry nobody waits for, written in the middle of other work: one the log cannot take
// has gone to standard error already.
void Orva::recordQuietly(const QString& entry)
{
    try {
        record(entry);
    } catch (const std::exception&) {
    }
}

bool Orva::stopRequested() const
{
    return stopping_ || TerminationSignals::requested();
}

void Orva::failurePath(const QString& cause)
{
    scan_.stop();
    tellStandardError(QStringLiteral("start-up failed: ") + cause);
    {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("ORVA"),
                        QStringLiteral("Comm port error, Program exit"), QMessageBox::Ok);
        box.setInformativeText(visibleText(cause));
        failureBox_ = &box;
        box.exec();
    }
    endWithEntry(QStringLiteral("Start up Com port error, Program Exit"), 1);
}

void Orva::shutdown()
{
    stopping_ = true;
    // A burst settling, say: its live alarms reach the modem, which logs each as not sent.
    scan_.handleWaitingNow();
    endWithEntry(QStringLiteral("SMS Program Exit"), 0);
}

// The process ends even when its last entry cannot be written; the cause is said instead.
// The lines are closed just before, so that no lock file of theirs outlives the process.
void Orva::endWithEntry(const QString& entry, int exitStatus)
{
    try {
        log_.LogEvent(entry);
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

void Orva::sendAlarm(const QString& line)
{
    sms_.SmsText = line;
    sendSms();
}

// A port failure ends the transaction; the operator is told why in the manual window.
void Orva::sendTyped(const QString& number, const QString& text)
{
    if (!sms_.takeTyped(number, text)) {
        manualSms_->tell(QMessageBox::Warning, QStringLiteral("Pager No. Must Be 8 Digits."));
        return;
    }
    modem_.transaction().ModemWaitMs = timing_.modemWait;
    try {
        sendSms();
    } catch (const Failure& failure) {
        manualSms_->tell(QMessageBox::NoIcon, failure.message());
    }
}

void Orva::sendSms()
{
    const BusyCursor busy;
    modem_.SendSms(sms_.SmsNumber, sms_.SmsText);
}

} // namespace orva
