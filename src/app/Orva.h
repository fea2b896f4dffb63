#pragma once

#include "ServiceHeartbeat.h"
#include "Timing.h"
#include "alarm/ScanCycle.h"
#include "common/Record.h"
#include "config/SettingsStore.h"
#include "eventlog/EventLog.h"
#include "messaging/OutgoingSms.h"
#include "messaging/SmsModem.h"
#include "serial/SerialLine.h"
#include "system/TerminationSignals.h"
#include "watch/PathWatch.h"
#include "windows/FailureMessage.h"
#include "windows/MainWindow.h"
#include "windows/ManualSmsWindow.h"
#include "windows/SettingsWindow.h"

#include <QObject>
#include <QPointer>
#include <functional>

namespace orva {

// The program: its windows, its two serial lines, the modem, the scan and the watch between
// alarms, and how it starts and ends, telling a service manager that started it. Once it is
// asked to end, no SMS begins: every alarm that would have been sent, in the burst in hand or
// waiting on the alarm port, is logged as not sent instead.
class Orva : public QObject {
    Q_OBJECT

public:
    // Ends the process at once with the given exit status: no window's closing step runs.
    using EndProcess = std::function<void(int exitStatus)>;

    explicit Orva(EndProcess endProcess, Timing timing = {});
    ~Orva() override;

    // Reads the settings, opens line A then line B and starts scanning; any failure shows one
    // message, logs one line and ends the process.
    void startUp();
    // Logs the alarms waiting on the alarm port and the watch's messages as not sent, then the
    // exit, and ends the process.
    void shutdown();
    // The process ends without ORVA having asked for it (the display connection broke, and Qt
    // exits): the same, with status 1, so that a service manager starts it again. Runs as the
    // process's exit handler once start-up succeeded, and after an event loop that returned.
    void endForced();
    // A termination signal (SIGTERM, SIGQUIT, ...): the OK of a waiting start-up failure
    // message, otherwise shutdown. A transaction that blocks the event loop meanwhile cuts its
    // extra waits short.
    void requestTermination();

    void showSettings();
    void showManualSms();

    MainWindow& mainWindow() { return mainWindow_; }
    SettingsWindow& settingsWindow() { return settingsWindow_; }
    ManualSmsWindow* manualSmsWindow() const { return manualSmsWindow_; }
    const SerialLine& modemLine() const { return modemLine_; }
    const SerialLine& alarmLine() const { return alarmLine_; }
    const OutgoingSms& outgoingSms() const { return sms_; }
    const ScanCycle& scan() const { return scan_; }

private:
    PathWatch::Links watchLinks();
    PreviousRun readPreviousRun(const WatchSettings& watches) const;
    void openLine(SerialLine& line, int slot);
    bool stopRequested() const;
    void failurePath(const QString& cause);
    void endWithEntry(const QString& entry, int exitStatus);
    void endLoggingUnsent(int exitStatus);
    void sendAlarm(const QString& line);
    void sendTyped(const QString& number, const QString& text);
    SmsOutcome sendSms(const QString& number, const QString& text);
    SmsModem::Result sendAndRecord(const QString& number, const QString& text);

    EndProcess endProcess_;
    Timing timing_;
    TerminationSignals terminationSignals_;
    bool stopping_ = false;
    SettingsStore store_;
    EventLog log_;
    SerialLine modemLine_;
    SerialLine alarmLine_;
    SettingsWindow settingsWindow_;
    MainWindow mainWindow_;
    Record record_;
    OutgoingSms sms_;
    SmsModem modem_;
    ScanCycle scan_;
    PathWatch watch_;
    ServiceHeartbeat heartbeat_;
    QPointer<ManualSmsWindow> manualSmsWindow_;
    FailureMessage failureMessage_;
};

} // namespace orva
