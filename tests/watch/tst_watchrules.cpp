#include "common/TimeOfDay.h"
#include "config/SettingsReader.h"
#include "config/SettingsStore.h"
#include "support/Failures.h"
#include "support/Row.h"
#include "watch/ModemEpisode.h"
#include "watch/PreviousRun.h"
#include "watch/WatchMessages.h"
#include "watch/WatchSettings.h"

#include <QTimeZone>
#include <QtTest>

using namespace orva;

Q_DECLARE_METATYPE(SmsOutcome::Kind)
Q_DECLARE_METATYPE(std::optional<QString>)
Q_DECLARE_METATYPE(std::optional<ModemFault>)
Q_DECLARE_METATYPE(PreviousRun)

namespace {

const QDateTime kMonday(QDate(2026, 12, 7), QTime(8, 15));

QDateTime at(const QString& dayAndTime)
{
    return QDateTime::fromString(dayAndTime, u"yyyy-MM-dd hh:mm");
}

// A log as the files hold it, one entry a minute from 03:00 on 7 December.
QByteArray logOf(const QStringList& texts)
{
    QByteArray log;
    for (qsizetype i = 0; i < texts.size(); ++i)
        log += formatLogEntry(at("2026-12-07 03:00").addSecs(60 * i), texts[i]);
    return log;
}

} // namespace

// What settings.ini asks to watch, when the daily test is due, how an episode of a lost modem is
// told and counted, and what the watch writes and sends.
class WatchRulesTest : public QObject {
    Q_OBJECT

private slots:
    void settings_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("described");
        const QStringList allOff{"Modem check: off", "Test SMS: off", "Alarm port silence: off"};
        test::row("no keys", QByteArray("HP:91234567"), allOff);
        test::row("empty or blank values", QByteArray("MODEM CHECK: \rTEST SMS:\rSILENCE B: "),
                  allOff);
        test::row("zeros", QByteArray("MODEM CHECK:0 "), allOff);
        test::row("other case", QByteArray("modem check:5"), allOff);
        test::row("all three, keys inside lines",
                  QByteArray("xMODEM CHECK: 5\t\r-SILENCE B:2.5 \rTEST SMS: 8:05 "),
                  QStringList{"Modem check: every 5 min", "Test SMS: every day at 08:05",
                              "Alarm port silence: an alert after 2.5 h without a byte"});
        test::row("blanks in the time", QByteArray("TEST SMS: 08 : 05"),
                  QStringList{"Modem check: off", "Test SMS: every day at 08:05",
                              "Alarm port silence: off"});
        test::row(
            "fractions and blanks", QByteArray("MODEM CHECK:0 .5"),
            QStringList{"Modem check: every 0.5 min", "Test SMS: off", "Alarm port silence: off"});
        test::row("a day and a year", QByteArray("MODEM CHECK:1440\rSILENCE B:8760."),
                  QStringList{"Modem check: every 1440 min", "Test SMS: off",
                              "Alarm port silence: an alert after 8760 h without a byte"});
        test::row("20 characters taken", "SILENCE B:" + QByteArray(20, '0') + "12",
                  allOff); // the 1 and 2 lie beyond the value
    }

    void settings()
    {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, described);
        SettingsStore store;
        for (const QByteArray& each : line.split('\r'))
            applySettingsLine(each, store);
        QCOMPARE(describeWatchSettings(readWatchSettings(store)), described);
    }

    void refusedSettings_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("cause");
        test::row("no time of day", QByteArray("TEST SMS:25:99"),
                  "TEST SMS: \"25:99\" is no time of day: hh:mm, from 00:00 to 23:59");
        test::row("minutes 60", QByteArray("TEST SMS:07:60"),
                  "TEST SMS: \"07:60\" is no time of day: hh:mm, from 00:00 to 23:59");
        test::row("words after the time", QByteArray("TEST SMS:08:00 daily"),
                  "TEST SMS: \"08:00 daily\" is no time of day");
        test::row("one digit of minutes", QByteArray("TEST SMS:8:5"),
                  "TEST SMS: \"8:5\" is no time of day");
        test::row("three digits of hours", QByteArray("TEST SMS:108:00"),
                  "TEST SMS: \"108:00\" is no time of day");
        const QString notADuration = "\" is not a duration: a plain number such as 15 or 2.5";
        test::row("negative minutes", QByteArray("MODEM CHECK:-5"),
                  "MODEM CHECK: \"-5" + notADuration);
        test::row("hours beyond any number", QByteArray("SILENCE B:1E999"), "1E999" + notADuration);
        test::row("a word", QByteArray("MODEM CHECK:five"), "five" + notADuration);
        test::row("a decimal comma", QByteArray("SILENCE B:0,5"), "0,5" + notADuration);
        test::row("a unit after it", QByteArray("SILENCE B:2.5 h"), "2.5 h" + notADuration);
        test::row("two points", QByteArray("MODEM CHECK:1.2.3"), "1.2.3" + notADuration);
        test::row("an exponent that never fires", QByteArray("MODEM CHECK:1e308"),
                  "1e308" + notADuration);
        test::row("beyond a day", QByteArray("MODEM CHECK:1440.5"),
                  "MODEM CHECK: \"1440.5\" is beyond a day: at most 1440 minutes");
        test::row("beyond a year", QByteArray("SILENCE B:99999999999999999999"),
                  "SILENCE B: \"99999999999999999999\" is beyond a year: at most 8760 hours");
    }

    void refusedSettings()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, cause);
        SettingsStore store;
        applySettingsLine(line, store);
        test::expectFailure([&store] { (void)readWatchSettings(store); }, cause);
    }

    void nextTestTime_data()
    {
        QTest::addColumn<QDateTime>("after");
        QTest::addColumn<QString>("at");
        QTest::addColumn<QDate>("testedOn"); // the day the latest test went, if any
        QTest::addColumn<QDateTime>("next");
        test::row("later the same day", kMonday, "08:16", QDate(), at("2026-12-07 08:16"));
        test::row("the time itself is past", kMonday, "08:15", QDate(), at("2026-12-08 08:15"));
        test::row("earlier: the next day", kMonday, "7:00", QDate(), at("2026-12-08 07:00"));
        test::row("midnight", kMonday, "00:00", QDate(), at("2026-12-08 00:00"));
        test::row("across a month", at("2026-12-31 23:59"), "23:30", QDate(),
                  at("2027-01-01 23:30"));
        const QTimeZone berlin("Europe/Berlin");
        test::row("in the hour the clock skips",
                  QDateTime(QDate(2026, 3, 28), QTime(23, 0), berlin), "02:30", QDate(),
                  QDateTime(QDate(2026, 3, 29), QTime(3, 30), berlin));
        const QTimeZone santiago("America/Santiago"); // skips from midnight to 01:00
        test::row("in the hour after a skipped midnight",
                  QDateTime(QDate(2024, 9, 7), QTime(23, 0), santiago), "00:30", QDate(),
                  QDateTime(QDate(2024, 9, 8), QTime(1, 30), santiago));
        const QDate tested = kMonday.date();
        test::row("clock put back after the day's test", at("2026-12-07 08:00"), "08:15", tested,
                  at("2026-12-08 08:15"));
        test::row("put back a day: a clock ahead did that day", at("2026-12-06 09:00"), "08:15",
                  tested, at("2026-12-07 08:15"));
        test::row("tested yesterday", at("2026-12-07 08:00"), "08:15", tested.addDays(-1),
                  at("2026-12-07 08:15"));
    }

    void nextTestTime()
    {
        QFETCH(QDateTime, after);
        QFETCH(QString, at);
        QFETCH(QDate, testedOn);
        QFETCH(QDateTime, next);
        const auto done = testedOn.isValid() ? std::optional(testedOn) : std::nullopt;
        QCOMPARE(nextTimeOfDay(after, *timeOfDay(at), done), next);
    }

    void modemFault_data()
    {
        QTest::addColumn<SmsOutcome::Kind>("kind");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<std::optional<ModemFault>>("fault");
        using K = SmsOutcome::Kind;
        using Fault = std::optional<ModemFault>;
        test::row("sent", K::Sent, "+CMGS: 4", Fault());
        test::row("invalid number", K::InvalidNumber, "", Fault());
        test::row("ORVA ending", K::Stopped, "", Fault());
        test::row("silent", K::Silent, "", Fault({"no answer", true}));
        test::row("no prompt", K::NoPrompt, "", Fault({"no prompt", false}));
        test::row("refused", K::Refused, "+CMS ERROR: 310",
                  Fault({"refused (+CMS ERROR: 310)", false}));
        test::row("unconfirmed", K::Unconfirmed, "", Fault({"no confirmation", false}));
        test::row("port", K::PortFailure, "port A: gone",
                  Fault({"port error (port A: gone)", true}));
    }

    void modemFault()
    {
        QFETCH(SmsOutcome::Kind, kind);
        QFETCH(QString, detail);
        QFETCH(std::optional<ModemFault>, fault);
        QCOMPARE(orva::modemFault({kind, detail}), fault);
    }

    // What the log says of the runs before: an end without its exit entry, and an episode left
    // open with the live alarms it could not send.
    void previousRun_data()
    {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<PreviousRun>("run");
        const QString started = "SMS Program Started";
        const QString lost = "Modem Lost: no answer";
        const QString alarm = "No Respond from Modem, SMS not sent: .ZONE 1 91234567";
        const QString failed = "Start up Com port error, Program Exit";
        const auto endedAt = [](const char* last) { return PreviousRun{at(last), {}}; };
        test::row("none yet", QByteArray(), PreviousRun{});
        test::row("ended cleanly", logOf({started, alarm, "SMS Program Exit"}), PreviousRun{});
        test::row("failed starts after a clean end", logOf({"SMS Program Exit", failed}),
                  PreviousRun{});
        test::row("failed starts after an unclean end", logOf({started, failed, failed}),
                  endedAt("2026-12-07 03:00"));
        test::row("killed after an alarm", logOf({started, alarm}), endedAt("2026-12-07 03:01"));
        test::row("lines that are no entries",
                  logOf({started}) + "garbage\r\n20261399 03:05:00 SMS Program Exit\n\r\n",
                  endedAt("2026-12-07 03:00"));
        test::row("episode left open, its live alarms counted",
                  logOf({started, alarm, lost, "Modem Error (no prompt), SMS not sent: by hand 9",
                         "ORVA Stopped, SMS not sent: .ZONE 2 ", "SMS Program Exit"}),
                  PreviousRun{{}, ModemEpisode::Open{at("2026-12-07 03:02"), {"no answer"}, 2}});
        test::row("episode ended", logOf({alarm, lost, "Modem Restored", alarm}),
                  endedAt("2026-12-07 03:03"));
        const QString refused = "refused (+CMS ERROR: 500)";
        test::row("only messages show a refusal", logOf({"Modem Lost: " + refused}),
                  PreviousRun{at("2026-12-07 03:00"),
                              ModemEpisode::Open{at("2026-12-07 03:00"), {refused, false}}});
    }

    void previousRun()
    {
        QFETCH(QByteArray, log);
        QFETCH(PreviousRun, run);
        QCOMPARE(orva::previousRun(parseLogEntries(log)), run);
    }

    void messages_data()
    {
        QTest::addColumn<QString>("computer");
        QTest::addColumn<QStringList>("texts");
        const ModemEpisode::Ending episode{at("2026-12-07 03:10"), at("2026-12-07 04:05"), 3};
        const QStringList plain{
            "ORVA panel-pc: modem lost 03:10 to 04:05, 3 alarms not sent, see the log",
            "ORVA panel-pc test: 12 alarms sent, 1 not sent since 07.12 08:15; signal -73 dBm",
            "ORVA panel-pc test: 12 alarms sent, 1 not sent since 07.12 08:15; signal unknown",
            "ORVA panel-pc test: 12 alarms sent, 1 not sent since 07.12 08:15; signal -96 dBm "
            "(LTE RSRP)",
            "ORVA panel-pc: Alarm Port Silent: nothing received for 2.5 h",
            "ORVA panel-pc: modem lost 07.12 03:10 to 09.12 03:10, 0 alarms not sent, see the log",
            "ORVA panel-pc: alarm port active again after 5.3 h",
            "ORVA panel-pc: alarm port active again after 38 h",
            "ORVA panel-pc restarted at 08:15 after an unclean end; last entry 07.12 03:10, see "
            "the log"};
        test::row("plain name", "panel-pc", plain);
        test::row("name beyond ASCII, cut at 40", QString("Zentrale-Süd ") + QString(40, u'x'),
                  QStringList(plain).replaceInStrings("panel-pc",
                                                      "Zentrale-S?d xxxxxxxxxxxxxxxxxxxxxxxxxxx"));
        QCOMPARE(silenceEntry(2.5), "Alarm Port Silent: nothing received for 2.5 h");
        QCOMPARE(silenceEntry(0.0005), "Alarm Port Silent: nothing received for 0.0005 h");
        QCOMPARE(restoredSms("x\x1b[2J", episode).left(10), "ORVA x??2J");
    }

    void messages()
    {
        QFETCH(QString, computer);
        QFETCH(QStringList, texts);
        const ModemEpisode::Ending episode{at("2026-12-07 03:10"), at("2026-12-07 04:05"), 3};
        const QStringList composed{
            restoredSms(computer, episode),
            testSms(computer, {12, 1}, kMonday, SignalLevel{-73, SignalLevel::Measure::Rssi}),
            testSms(computer, {12, 1}, kMonday, std::nullopt),
            testSms(computer, {12, 1}, kMonday, SignalLevel{-96, SignalLevel::Measure::LteRsrp}),
            silenceSms(computer, 2.5),
            restoredSms(computer, {at("2026-12-07 03:10"), at("2026-12-09 03:10"), 0}),
            portActiveSms(computer, 5.27),
            portActiveSms(computer, 37.6),
            restartedSms(computer, kMonday, at("2026-12-07 03:10"))};
        QCOMPARE(composed, texts);
        for (const QString& text : composed) {
            QVERIFY(text.size() <= 160);
            QVERIFY(std::ranges::all_of(text, [](QChar c) { return c >= u' ' && c < u'\x7f'; }));
        }
    }
};

QTEST_APPLESS_MAIN(WatchRulesTest)
#include "tst_watchrules.moc"
