#pragma once

#include "AlarmTally.h"
#include "ModemEpisode.h"
#include "PreviousRun.h"
#include "WatchSettings.h"
#include "common/Clock.h"
#include "common/Severity.h"
#include "messaging/ModemReadiness.h"
#include "messaging/SmsOutcome.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QString>
#include <deque>
#include <functional>
#include <optional>

namespace orva {

class SerialLine;

// Watches the path of the alarms between them, as settings.ini asks: checks the modem on a
// schedule, and once more after every message it confirms to learn the state it sends in, and
// tells when it is lost and when it is back, proves the whole path with a daily
// test message, and tells when the alarm port has been silent too long. With no watch asked for
// it never touches a line.
//
// Its work comes at the end of every scan cycle, after the burst in hand, whatever the alarm
// port brings. Its messages go to the handphone number one at a time. Each is written when it
// goes, so it tells the latest: at most one of each kind waits, and episodes that ended before
// their message went are told in one. A message that fails waits in front until the modem
// serves again, or until the next retry (at the check interval, or every 15 minutes without
// checks), and goes again. A run that ended without its exit entry is told once, and an
// episode it left open goes on.
class PathWatch {
public:
    // Writes an entry to the event log and the status line; must not throw.
    using Record = std::function<void(const QString& entry, Severity severity)>;
    // Sends a message and logs it like every SMS; must not throw.
    using Send = std::function<SmsOutcome(const QString& number, const QString& text)>;

    PathWatch(SerialLine& modemPort, const SerialLine& alarmPort, Record record, Send send,
              Clock clock);

    // Starts the watches the settings ask for, from now, after the runs the log tells of.
    void start(const WatchSettings& settings, const QString& handphone,
               const PreviousRun& previous);
    // At the end of a scan cycle: does at most one thing that blocks: prepares the daily test,
    // sends one message, or checks the modem, in that order, so that checks put off no message.
    void afterScan();
    // Every other transaction's outcome; a live alarm's counts.
    void transactionEnded(const SmsOutcome& outcome, bool liveAlarm);
    // ORVA is ending: the messages still to go are handed on, to be logged as not sent.
    void sendPendingNow();

private:
    enum class Message { Restarted, Restored, DailyTest, Silence, PortActive };

    qint64 checkIntervalMs() const;
    bool modemCheckDue() const;
    bool dailyTestDue();
    bool retryDue() const;
    void checkModem();
    void prepareDailyTest();
    void watchSilence();
    void portActive(double silentHours);
    void modemFailed(const ModemFault& fault);
    void messageConfirmed();
    void modemServed(bool messageSent);
    void queue(Message message);
    QString text(Message message) const;
    void sendNext();
    void told(Message message, const QDateTime& written);

    SerialLine& modemPort_;
    const SerialLine& alarmPort_;
    Record record_;
    Send send_;
    Clock clock_;
    WatchSettings settings_;
    QString handphone_;

    std::deque<Message> outbox_;
    bool outboxHeld_ = false; // its first message failed; it waits for a success or a retry
    QElapsedTimer sinceAttempt_;

    QElapsedTimer sinceCheck_;
    ModemEpisode episode_;
    std::optional<ModemEpisode::Ending> untold_; // episodes ended, their message not yet sent
    std::optional<SignalLevel> signal_;
    bool stateOfMessageDue_ = false;   // a message was confirmed: a check is due to see the state
    std::optional<ModemState> sentIn_; // the state the modem last confirmed a message in

    std::optional<QDateTime> uncleanEnd_; // the last entry of a run that ended without a word
    QDateTime started_;

    std::optional<QDateTime> nextTest_;
    std::optional<QDate> testedOn_; // the day of the latest test
    QDateTime lastLook_;            // the wall clock when the watch last looked at it
    AlarmTally tally_;
    QDateTime tallySince_;

    QElapsedTimer sinceByte_;
    quint64 received_ = 0;
    bool silent_ = false;
    bool silenceTold_ = false;
    double silentHours_ = 0; // how long the port was silent when it came back
};

} // namespace orva
