#include "common/Failure.h"
#include "config/SettingsReader.h"
#include "config/SettingsStore.h"
#include "eventlog/LogEntry.h"
#include "support/Row.h"
#include "watch/PathWatch.h"

#include <QtTest>
#include <map>

using namespace orva;

namespace {

const QDateTime kStart(QDate(2026, 12, 7), QTime(8, 15));

// What a modem answers to a check's questions after AT, in their order, each an information
// line before OK, or a final result alone ("ERROR" for every question left out).
ModemHealth answering(const QStringList& lines)
{
    ModemHealth health{.at = "\r\nOK\r\n"};
    for (std::size_t i = 1; i < kModemQuestions.size(); ++i) {
        const QString line = lines.value(qsizetype(i) - 1, "ERROR");
        health.*kModemQuestions[i].answer =
            "\r\n" + line + (line.contains("ERROR") ? "\r\n" : "\r\n\r\nOK\r\n");
    }
    return health;
}

// A modem of each kind the watch meets: its answers to a check, unless it is silent, and how
// it ends a message.
struct ModemKind {
    std::optional<ModemHealth> answers;
    SmsOutcome sending;
};

const SmsOutcome kSent{SmsOutcome::Kind::Sent, "+CMGS: 7"};

ModemKind refusing(const QStringList& answers, const char* result)
{
    return {answering(answers), {SmsOutcome::Kind::Refused, result}};
}

const std::map<QString, ModemKind> kModems{
    {"normal", {answering({"+CPIN: READY", "+CREG: 0,1", "+CSQ: 20,99"}), kSent}},
    {"silent", {std::nullopt, {SmsOutcome::Kind::Silent, {}}}},
    {"pin", refusing({"+CPIN: SIM PIN", "+CREG: 0,1", "+CSQ: 20,99"}, "+CMS ERROR: 311")},
    {"no-sim", refusing({"+CME ERROR: 10", "+CREG: 0,1", "+CSQ: 20,99"}, "+CMS ERROR: 310")},
    {"not-registered", refusing({"+CPIN: READY", "+CREG: 0,0", "+CSQ: 20,99"}, "+CMS ERROR: 331")},
    {"no-signal", refusing({"+CPIN: READY", "+CREG: 0,2", "+CSQ: 99,99"}, "+CMS ERROR: 331")},
    {"refusing", refusing({"+CPIN: READY", "+CREG: 0,1", "+CSQ: 20,99"}, "+CMS ERROR: 500")},
    {"sms-only",
     {answering({"+CPIN: READY", "+CREG: 0,6", "+CSQ: 20,99", "+CGREG: 0,4", "+CEREG: 0,1", "ERROR",
                 "+CESQ: 99,99,255,255,20,45"}),
      kSent}},
    {"5g-only",
     {answering({"+CPIN: READY", "+CREG: 0,0", "+CSQ: 99,99", "+CGREG: 0,0", "+CEREG: 0,0",
                 "+C5GREG: 0,1", "+CESQ: 99,99,255,255,255,255,40,60,50"}),
      kSent}},
    {"registration-unknown",
     {answering({"+CPIN: READY", "+CREG: 0,4", "+CSQ: 18,99", "ERROR", "+CEREG: 0,4"}), kSent}},
    {"port fails", {std::nullopt, {SmsOutcome::Kind::PortFailure, "port A failed"}}},
    {"stopping",
     {answering({"+CPIN: READY", "+CREG: 0,1", "+CSQ: 20,99"}), {SmsOutcome::Kind::Stopped, {}}}},
};

// "h:mm:ss" or "h:mm:ss.zzz" from the start, hours beyond a day too.
std::chrono::milliseconds fromStart(const QString& time)
{
    const QStringList parts = time.split(QRegularExpression("[:.]"));
    using namespace std::chrono;
    return hours(parts[0].toInt()) + minutes(parts[1].toInt()) + seconds(parts[2].toInt()) +
           milliseconds(parts.value(3).toInt());
}

QString sinceStart(std::chrono::milliseconds time)
{
    const QTime clock = QTime(0, 0).addMSecs(static_cast<int>(time.count() % 86'400'000));
    return QString::number(time.count() / 3'600'000) +
           clock.toString(time.count() % 1000 ? ":mm:ss.zzz" : ":mm:ss");
}

} // namespace

// The watch between alarms on clocks the test moves, a modem of the kind each step names and an
// alarm port that receives a byte when asked: everything it asks, logs and sends, at the time
// from the start it did so, as the rows' timelines say.
class PathWatchTest : public QObject {
    Q_OBJECT

private:
    std::chrono::milliseconds elapsed_{0};
    std::chrono::milliseconds wallShift_{0};
    QString modem_ = "normal";
    quint64 received_ = 0;
    QStringList told_;

    void happened(const QString& what) { told_ << sinceStart(elapsed_) + ' ' + what; }

    SmsOutcome send(const QString& text)
    {
        const SmsOutcome outcome = kModems.at(modem_).sending;
        const bool sent = outcome.kind == SmsOutcome::Kind::Sent;
        happened((sent                                        ? "sent "
                  : outcome.kind == SmsOutcome::Kind::Stopped ? "stopped "
                                                              : "not sent ") +
                 text);
        return outcome;
    }

    PathWatch::Links links()
    {
        return {.askModem =
                    [this] {
                        happened("check");
                        if (modem_ == "port fails")
                            throw Failure("port A failed");
                        if (modem_ == "silent") // no answer before the check's bound
                            elapsed_ += std::chrono::seconds(3);
                        return kModems.at(modem_).answers.value_or(ModemHealth{});
                    },
                .received = [this] { return received_; },
                .record =
                    [this](const Event& event) {
                        happened("log " + event.entry);
                        return Recorded{};
                    },
                .send = [this](const QString&, const QString& text) { return send(text); },
                .computerName = [] { return QStringLiteral("PC"); }};
    }

    Clock clock()
    {
        return {.wall = [this] { return kStart.addMSecs((elapsed_ + wallShift_).count()); },
                .monotonic = [this] { return Clock::Monotonic(elapsed_); }};
    }

    void take(PathWatch& watch, const QString& step)
    {
        const QString what = step.section(' ', 0, 0);
        const QString rest = step.section(' ', 1);
        if (what == "modem") {
            modem_ = rest;
        } else if (what == "byte") {
            ++received_;
        } else if (what == "wall") {
            wallShift_ += (rest.startsWith('-') ? -1 : 1) * fromStart(rest.mid(1));
        } else if (what == "alarm" || what == "manual") {
            watch.transactionEnded(send(rest), what == "alarm");
        } else if (what == "stop") {
            watch.sendPendingNow();
        } else {
            elapsed_ = fromStart(step);
            watch.afterScan();
        }
    }

private slots:
    void init()
    {
        elapsed_ = wallShift_ = {};
        modem_ = "normal";
        received_ = 0;
        told_.clear();
    }

    // Each row: the settings, the steps ("h:mm:ss" moves both clocks to that time from the
    // start and lets a scan end; the others act at once) and what the watch did, each thing
    // after the time it did it at, parted by " | "; the log of the run before, if any, too.
    void timeline_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("told");
        QTest::addColumn<QString>("previousLog");
        const auto restored = [](const char* lost, const char* back, const char* alarms) {
            return QString("ORVA PC: modem lost %1 to %2, %3 alarms not sent, see the log")
                .arg(lost, back, alarms);
        };
        const auto test = [](const char* sent, const char* notSent, const char* since) {
            return QString(
                       "ORVA PC test: %1 alarms sent, %2 not sent since 07.12 %3; signal -73 dBm")
                .arg(sent, notSent, since);
        };
        const QString silent = "Alarm Port Silent: nothing received for 1 h";
        const auto row = [](const char* name, const char* settings, const QString& steps,
                            const QString& told, const char* previousLog = "") {
            test::row(name, QString(settings), steps, told, QString(previousLog));
        };
        row("checks on the minute, not a moment before", "MODEM CHECK:5",
            "0:04:59.999, 0:05:00, 0:09:59.999, 0:10:00", "0:05:00 check | 0:10:00 check");
        row("lost, told once, back with the alarm it lost", "MODEM CHECK:1",
            "modem silent, 0:01:00, alarm .ZONE 9, 0:02:00, modem normal, 0:03:00, 0:03:01, "
            "0:03:02, 0:04:01.999, 0:04:02",
            "0:01:00 check | 0:01:03 log Modem Lost: no answer | 0:01:03 not sent .ZONE 9 | "
            "0:02:00 check | 0:03:00 check | 0:03:00 log Modem Restored | 0:03:01 sent " +
                restored("08:16", "08:18", "1") + " | 0:03:02 check | 0:04:02 check");
        for (const auto& [modem, reason] : {std::pair{"pin", "SIM not ready (PIN needed)"},
                                            {"no-sim", "SIM not ready (not inserted)"},
                                            {"not-registered", "not registered"},
                                            {"no-signal", "no signal"},
                                            {"port fails", "port error (port A failed)"}})
            row(modem, "MODEM CHECK:1", QString("modem %1, 0:01:00, 0:02:00").arg(modem),
                QString("0:01:00 check | 0:01:00 log Modem Lost: %1 | 0:02:00 check").arg(reason));
        row("two episodes before the message, told as one", "MODEM CHECK:1",
            "modem silent, 0:01:00, alarm .ONE, modem normal, 0:02:00, modem silent, "
            "0:02:01, alarm .TWO, modem normal, 0:02:02, 0:03:00, 0:03:01",
            "0:01:00 check | 0:01:03 log Modem Lost: no answer | 0:01:03 not sent .ONE | "
            "0:02:00 check | 0:02:00 log Modem Restored | 0:02:01 not sent " +
                restored("08:16", "08:17", "1") +
                " | 0:02:01 log Modem Lost: no answer | 0:02:01 not sent .TWO | 0:03:00 "
                "check | 0:03:00 log Modem Restored | 0:03:01 sent " +
                restored("08:16", "08:18", "2"));
        row("a message refused waits for a retry, then each episode", "MODEM CHECK:1",
            "modem silent, 0:01:00, alarm .ONE, modem refusing, 0:02:00, 0:02:01, "
            "alarm .TWO, modem normal, 0:03:00, 0:03:01, 0:03:02",
            "0:01:00 check | 0:01:03 log Modem Lost: no answer | 0:01:03 not sent .ONE | "
            "0:02:00 check | 0:02:00 log Modem Restored | 0:02:01 not sent " +
                restored("08:16", "08:17", "1") +
                " | 0:02:01 log Modem Lost: refused (+CMS ERROR: 500) | 0:02:01 not sent "
                ".TWO | 0:03:00 check | 0:03:01 sent " +
                restored("08:16", "08:17", "1") + " | 0:03:01 log Modem Restored | 0:03:02 sent " +
                restored("08:17", "08:18", "1"));
        row("lost by a check, a refusal within, back by a check", "MODEM CHECK:1",
            "modem silent, 0:01:00, modem refusing, alarm .ONE, modem normal, 0:02:00",
            "0:01:00 check | 0:01:03 log Modem Lost: no answer | 0:01:03 not sent .ONE | "
            "0:02:00 check | 0:02:00 log Modem Restored");
        row("refused until a message goes", "MODEM CHECK:1",
            "modem refusing, alarm .ONE, 0:01:00, 0:02:00, modem normal, alarm .TWO, 0:02:01",
            "0:00:00 not sent .ONE | 0:00:00 log Modem Lost: refused (+CMS ERROR: 500) | "
            "0:01:00 check | 0:02:00 check | 0:02:00 sent .TWO | 0:02:00 log Modem Restored "
            "| 0:02:01 sent " +
                restored("08:15", "08:17", "1"));
        row("lost and back by alarms, no check due", "MODEM CHECK:60",
            "modem stopping, alarm .ZERO, modem silent, alarm .ONE, modem normal, alarm .TWO, "
            "alarm .THREE, 0:00:01",
            "0:00:00 stopped .ZERO | 0:00:00 not sent .ONE | 0:00:00 log Modem Lost: no answer | "
            "0:00:00 sent .TWO "
            "| 0:00:00 log Modem Restored | 0:00:00 sent .THREE | 0:00:01 sent " +
                restored("08:15", "08:15", "1"));
        for (const char* modem : {"sms-only", "5g-only"})
            row(modem, "MODEM CHECK:1",
                QString("modem %1, 0:01:00, alarm .ONE, 0:01:01, 0:02:01").arg(modem),
                "0:01:00 check | 0:01:00 sent .ONE | 0:01:01 check | 0:02:01 check");
        row("registration unknown, trusted from the message it sent", "MODEM CHECK:1",
            "modem registration-unknown, 0:01:00, alarm .ONE, 0:01:01, 0:01:02, 0:02:02, "
            "modem normal, alarm .TWO, 0:02:03, modem registration-unknown, 0:03:03",
            "0:01:00 check | 0:01:00 log Modem Lost: not registered | 0:01:00 sent .ONE | "
            "0:01:00 log Modem Restored | 0:01:01 sent " +
                restored("08:16", "08:16", "0") +
                " | 0:01:02 check | 0:02:02 check | 0:02:02 sent .TWO | 0:02:03 check | "
                "0:03:03 check | 0:03:03 log Modem Lost: not registered");
        row("daily, counting since the test before, once a day", "TEST SMS:08:20",
            "alarm .ONE, 0:04:59.999, 0:05:00, 0:05:01, modem silent, alarm .TWO, modem "
            "normal, wall -0:02:00, 0:05:02, 0:07:00, 24:06:59.999, 24:07:00, 24:07:01",
            "0:00:00 sent .ONE | 0:05:00 check | 0:05:01 sent " + test("1", "0", "08:15") +
                " | 0:05:01 not sent .TWO | 24:07:00 check | 24:07:01 sent " +
                test("0", "1", "08:20"));
        row("a clock put back before the test brings it back", "TEST SMS:08:10",
            "wall -0:10:00, 0:00:01, 0:04:59.999, 0:05:00", "0:05:00 check");
        row("a test refused goes again 15 minutes on", "TEST SMS:08:20",
            "modem refusing, 0:05:00, 0:05:01, modem normal, 0:20:00.999, 0:20:01",
            "0:05:00 check | 0:05:01 not sent " + test("0", "0", "08:15") + " | 0:20:01 sent " +
                test("0", "0", "08:15"));
        row("silence told once, its end too", "SILENCE B:1",
            "0:59:59.999, 1:00:00, 1:30:00, byte, 2:00:00, 2:59:59.999, 3:00:00",
            QString("1:00:00 log %1 | 1:00:00 sent ORVA PC: %1 | 2:00:00 log Alarm Port "
                    "Active | 2:00:00 sent ORVA PC: alarm port active again after 2 h | "
                    "3:00:00 log %1 | 3:00:00 sent ORVA PC: %1")
                .arg(silent));
        row("silence alert still waiting, dropped", "SILENCE B:1",
            "modem refusing, 1:00:00, byte, 1:00:01, modem normal, 1:30:00",
            QString("1:00:00 log %1 | 1:00:00 not sent ORVA PC: %1 | 1:00:01 log Alarm Port "
                    "Active")
                .arg(silent));
        row("the end told is of the silence told", "SILENCE B:1",
            "1:00:00, modem refusing, byte, 1:30:00, 2:30:00, byte, 2:40:00, modem normal, 2:55:00",
            QString("1:00:00 log %1 | 1:00:00 sent ORVA PC: %1 | 1:30:00 log Alarm Port Active | "
                    "1:30:00 not sent %2 | 2:30:00 log %1 | 2:30:00 not sent %2 | 2:40:00 log "
                    "Alarm Port Active | 2:55:00 sent %2")
                .arg(silent, "ORVA PC: alarm port active again after 1.5 h"));
        row("after an unclean end, the episode it left open", "MODEM CHECK:1", "0:00:01, 0:00:02",
            "0:00:01 sent ORVA PC restarted at 08:15 after an unclean end; last entry 07.12 "
            "08:14, see the log | 0:00:01 log Modem Restored | 0:00:02 sent " +
                restored("08:14", "08:15", "1"),
            "SMS Program Started | No Respond from Modem, SMS not sent: .ZONE 1 91234567 | "
            "Modem Lost: no answer");
        row("messages still to go at the end", "SILENCE B:1\nTEST SMS:09:15",
            "modem stopping, 1:00:00, stop",
            QString("1:00:00 log %1 | 1:00:00 check | 1:00:00 stopped ORVA PC: %1 | 1:00:00 "
                    "stopped %2")
                .arg(silent, test("0", "0", "08:15")));
    }

    void timeline()
    {
        QFETCH(QString, settings);
        QFETCH(QString, steps);
        QFETCH(QString, told);
        QFETCH(QString, previousLog);
        SettingsStore store;
        for (const QString& line : settings.split('\n'))
            applySettingsLine(line.toLatin1(), store);
        QByteArray log;
        const QStringList previous = previousLog.split(" | ", Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < previous.size(); ++i)
            log += formatLogEntry(kStart.addSecs(60 * (i - previous.size())), previous[i]);
        PathWatch watch(links(), clock(), std::chrono::minutes(15));
        watch.start(readWatchSettings(store), "91234567", previousRun(parseLogEntries(log)));
        for (const QString& step : steps.split(", "))
            take(watch, step);
        QCOMPARE(told_, told.split(" | ", Qt::SkipEmptyParts));
    }
};

QTEST_MAIN(PathWatchTest)
#include "tst_pathwatch.moc"
