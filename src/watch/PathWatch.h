#pragma once

#include "DailyTest.h"
#include "ModemWatch.h"
#include "Outbox.h"
#include "PreviousRun.h"
#include "SilenceWatch.h"
#include "common/Record.h"

#include <functional>

namespace orva {

// Watches the path of the alarms between them, as settings.ini asks: checks the modem on a
// schedule, and once more after every message it confirms, and tells when it is lost and when it
// is back; proves the whole path with a daily test message; tells when the alarm port has been
// silent too long; and tells of a run that ended without its exit entry. With no watch asked for
// it never touches a line.
//
// Its work comes at the end of every scan cycle, after the burst in hand, whatever the alarm
// port brings, and it does at most one thing that blocks at a time. Its messages go to the
// handphone number one at a time, through the same sender as the alarms.
class PathWatch {
public:
    // What the watch reaches the world through.
    struct Links {
        // Asks the modem the questions of a check; throws Failure when port A fails.
        std::function<ModemHealth()> askModem;
        // How many bytes the alarm port received in all.
        std::function<quint64()> received;
        Record record;
        // Sends a message and logs it like every SMS.
        std::function<SmsOutcome(const QString& number, const QString& text)> send;
        std::function<QString()> computerName;
    };

    PathWatch(Links links, Clock clock, std::chrono::milliseconds retryWithoutChecks);

    // Starts the watches the settings ask for, from now, after the run the log tells of.
    void start(const WatchSettings& settings, const QString& handphone,
               const PreviousRun& previous);
    // At the end of a scan cycle: prepares the daily test, sends one message, or checks the
    // modem, in that order, so that checks put off no message.
    void afterScan();
    // Every other transaction's outcome; a live alarm's counts.
    void transactionEnded(const SmsOutcome& outcome, bool liveAlarm);
    // ORVA is ending: the messages still to go are handed on, to be logged as not sent.
    void sendPendingNow();

private:
    void checkModem();
    void prepareDailyTest();
    void watchSilence();
    void tell(const ModemWatch::News& news);
    [[nodiscard]] QString text(WatchMessage message) const;
    void sendNext(WatchMessage message);
    void told(WatchMessage message, const QDateTime& written);

    Links links_;
    Clock clock_;
    std::chrono::milliseconds retryWithoutChecks_;
    QString handphone_;
    ModemWatch modem_;
    DailyTest test_;
    SilenceWatch silence_;
    Outbox outbox_;
    std::optional<QDateTime> uncleanEnd_; // the last entry of a run that ended without a word
    QDateTime started_;
};

} // namespace orva
