#pragma once

#include "Form1.h"
#include "ManualSms.h"
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
#include <array>
#include <chrono>
#include <functional>
#include <memory>

namespace orva {

class SerialLine;

// The program's fixed waits; tests may shorten them.
struct Timing {
    std::chrono::milliseconds modemWait = SmsTransaction::kModemWait;
    std::chrono::milliseconds settleWait = std::chrono::seconds(10);
};

// The program: its windows, its two serial lines, the modem and the scan, and how it starts
// and ends. Once it is asked to end, no SMS begins: every alarm that would have been sent, in
// the burst in hand or waiting on the alarm port, is logged as not sent instead.
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
    // Logs the alarms waiting on the alarm port as not sent, then the exit, and ends the
    // process.
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
    void record(const QString& entry);
    void recordQuietly(const QString& entry);
    bool stopRequested() const;
    void failurePath(const QString& cause);
    void endWithEntry(const QString& entry, int exitStatus);
    void sendAlarm(const QString& line);
    void sendTyped(const QString& number, const QString& text);
    void sendSms();

    EndProcess endProcess_;
    Timing timing_;
    TerminationSignals terminationSignals_;
    bool stopping_ = false;
    SettingsStore store_;
    EventLog log_;
    std::array<std::unique_ptr<SerialLine>, 2> lines_;
    Form3 form3_;
    Form1 form1_;
    OutgoingSms sms_;
    SmsModem modem_;
    ScanCycle scan_;
    QPointer<ManualSms> manualSms_;
    QPointer<QMessageBox> failureBox_;
};

} // namespace orva
