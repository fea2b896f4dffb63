#pragma once

#include "Form1.h"
#include "ManualSms.h"
#include "PathWatch.h"
#include "alarm/ScanCycle.h"
#include "common/TerminationSignals.h"
#include "config/Form3.h"
#include "config/SettingsStore.h"
#include "eventlog/EventLog.h"
#include "messaging/OutgoingSms.h"
#include "messaging/SmsModem.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace orva {

class SerialLine;

// The program's fixed waits and its clock; tests may shorten the one and move the other.
struct Timing {
    std::chrono::milliseconds modemWait = SmsTransaction::kModemWait;
    std::chrono::milliseconds settleWait = std::chrono::seconds(10);
    // How long the start-up failure message waits for its OK under a service manager.
    std::chrono::milliseconds unattendedFailureWait = std::chrono::seconds(60);
    PathWatch::Clock clock = &QDateTime::currentDateTime;
};

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
    // A termination signal (SIGTERM, SIGINT, SIGHUP): the OK of a waiting start-up failure
    // message, otherwise shutdown. A transaction that blocks the event loop meanwhile cuts its
    // extra waits short.
    void requestTermination();

    void showSettings();
    void showManualSms();

    Form1& mainWindow() { return form1_; }
    Form3& settingsWindow() { return form3_; }
    ManualSms* manualWindow() const { return manualSms_; }
    SerialLine& MSComm1(int element) const { return *lines_.at(static_cast<std::size_t>(element)); }
    const OutgoingSms& outgoingSms() const { return sms_; }
    const ScanCycle& scan() const { return scan_; }

private:
    void openLine(SerialLine& line, int slot);
    void record(const QString& entry, Severity severity = Severity::Info);
    void recordQuietly(const QString& entry, Severity severity);
    bool stopRequested() const;
    void failurePath(const QString& cause);
    void endWithEntry(const QString& entry, int exitStatus);
    void sendAlarm(const QString& line);
    void sendTyped(const QString& number, const QString& text);
    SmsOutcome sendSms(const QString& number, const QString& text);
    void recordSmsOutcome(const QString& entry, Severity severity);
    void keepWatchdogInformed();

    EndProcess endProcess_;
    Timing timing_;
    TerminationSignals terminationSignals_;
    bool stopping_ = false;
    std::optional<QString> unrecordedSms_; // why the latest message's entry is not in the log
    SettingsStore store_;
    EventLog log_;
    std::array<std::unique_ptr<SerialLine>, 2> lines_;
    Form3 form3_;
    Form1 form1_;
    OutgoingSms sms_;
    SmsModem modem_;
    ScanCycle scan_;
    PathWatch watch_;
    QTimer watchdogTimer_;
    QPointer<ManualSms> manualSms_;
    QPointer<QMessageBox> failureBox_;
};

} // namespace orva
