#include "eventlog/EventLog.h"
#include "eventlog/LogEntry.h"
#include "support/Row.h"
#include "support/RunningProgram.h"
#include "system/Platform.h"

#include <QRegularExpression>
#include <QtTest>
#include <memory>

using namespace orva;

namespace {

const QString kNumber = "91234567";
const QString kCommands = "at+cmgf = 1\rAT+CMGS=\"91234567\"\r";

} // namespace

// The watch between alarms in the running program, on the simulated modem and alarm line:
// what it finds, tells and sends, and that it never gets in an alarm's way.
class PathWatchTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<test::RunningProgram> run_;

    void start(const QString& watches, Clock clock = {})
    {
        run_ = std::make_unique<test::RunningProgram>(*home_, watches, std::move(clock));
    }

    test::ModemSimulator& modem() { return run_->devices.modem; }
    QStringList entries() const { return home_->logTexts(); }
    bool logged(const QString& entry) const { return entries().contains(entry); }
    bool loggedAfter(const QString& entry, const QString& earlier) const
    {
        const QStringList texts = entries();
        return texts.indexOf(entry, texts.indexOf(earlier) + 1) > texts.indexOf(earlier);
    }
    // The messages the modem took whose text matches the pattern.
    QStringList sent(const QString& pattern)
    {
        return modem().accepted().filter(QRegularExpression('^' + kNumber + '\t' + pattern + '$'));
    }
    // How many checks the modem was asked, by their last question.
    qsizetype checksAsked() { return modem().transcript().count("AT+CESQ\r"); }
    // Waits out the given number of milliseconds while the program runs.
    static void runFor(int ms) { QTest::qWait(ms); }

private slots:
    void init() { home_ = std::make_unique<test::TestHome>(); }

    void cleanup()
    {
        run_.reset();
        home_.reset();
    }

    // Checks find the modem lost, whatever its trouble and whatever the alarm port brings, tell
    // it once and count the alarms it could not send, naming each; the first good check tells
    // its return and sends one message.
    void modemLostAndBack_data()
    {
        QTest::addColumn<QString>("lengthB");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("notSent");
        const QString silent = "No Respond from Modem, SMS not sent: .ZONE 9 91234567";
        test::row("stops answering", "1", "silent", "none", "no answer", silent);
        test::row("stops answering, every scan reads", "0", "silent", "none", "no answer", silent);
        test::row("SIM asks for its PIN", "1", "normal", "pin", "SIM not ready (PIN needed)",
                  "Modem Error (+CMS ERROR: 311), SMS not sent: .ZONE 9 91234567");
        test::row("SIM taken out", "1", "normal", "no-sim", "SIM not ready (not inserted)",
                  "Modem Error (+CMS ERROR: 310), SMS not sent: .ZONE 9 91234567");
        test::row("no network", "1", "normal", "not-registered", "not registered",
                  "Modem Error (+CMS ERROR: 331), SMS not sent: .ZONE 9 91234567");
        test::row("no signal", "1", "normal", "no-signal", "no signal",
                  "Modem Error (+CMS ERROR: 331), SMS not sent: .ZONE 9 91234567");
    }

    void modemLostAndBack()
    {
        QFETCH(QString, lengthB);
        QFETCH(QString, mode);
        QFETCH(QString, trouble);
        QFETCH(QString, reason);
        QFETCH(QString, notSent);
        start("MODEM CHECK:0.005\r\nLENGTH B:" + lengthB + "\r\n"); // every 0.3 s
        QTRY_VERIFY_WITH_TIMEOUT(modem().transcript().count("AT+CSQ\r") >= 2, 10000);
        modem().actOut(mode, trouble);
        const QString lost = "Modem Lost: " + reason;
        QTRY_VERIFY_WITH_TIMEOUT(logged(lost), 10000);
        run_->devices.sendBurst(".ZONE 9\r");
        QTRY_VERIFY_WITH_TIMEOUT(loggedAfter(notSent, lost), 10000);
        runFor(1000); // more failed checks
        QCOMPARE(entries().count(lost), 1);
        QCOMPARE(entries().filter("Modem Lost").size(), 1);
        modem().actOut("normal");
        QTRY_VERIFY_WITH_TIMEOUT(loggedAfter("Modem Restored", notSent), 10000);
        const QString restored =
            "ORVA .+: modem lost \\d\\d:\\d\\d to \\d\\d:\\d\\d, 1 alarms not sent, see the log";
        QTRY_COMPARE_WITH_TIMEOUT(sent(restored).size(), 1, 10000);
        QTRY_VERIFY(entries().last().endsWith("1 alarms not sent, see the log " + kNumber));
        runFor(1000);
        QCOMPARE(sent(restored).size(), 1);
        QCOMPARE(entries().filter("Modem Restored").size(), 1);
    }

    // Modules of today that send are not told lost, registered for SMS only or on 5G with an
    // RSSI they cannot tell; one whose answers read as not registered is told lost once, and
    // trusted from the message it sent in that state on.
    void sendingModemsStayServed_data()
    {
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<int>("episodes");
        test::row("registered for SMS only", "sms-only", 0);
        test::row("on 5G alone", "5g-only", 0);
        test::row("registration unknown, sent all the same", "registration-unknown", 1);
    }

    void sendingModemsStayServed()
    {
        QFETCH(QString, trouble);
        start("MODEM CHECK:0.005\r\n");
        modem().actOut("normal", trouble);
        qsizetype checks = checksAsked();
        QTRY_VERIFY_WITH_TIMEOUT(checksAsked() >= checks + 2, 10000);
        run_->devices.sendBurst(".ONE\r.TWO\r");
        QTRY_COMPARE_WITH_TIMEOUT(sent("\\.(ONE|TWO)").size(), 2, 10000);
        checks = checksAsked();
        QTRY_VERIFY_WITH_TIMEOUT(checksAsked() >= checks + 2, 10000);
        QTEST(int(entries().filter("Modem Lost").size()), "episodes");
        QTEST(int(entries().filter("Modem Restored").size()), "episodes");
        QTEST(int(sent("ORVA .+: modem lost .+").size()), "episodes");
    }

    // The state a message went in is the one found right after it: a trouble found before the
    // message and mended since is told again when it comes back.
    void troubleSeenBeforeAMessageIsNotTrusted()
    {
        start("MODEM CHECK:0.1\r\n"); // every 6 s
        modem().actOut("normal", "registration-unknown");
        QTRY_VERIFY_WITH_TIMEOUT(logged("Modem Lost: not registered"), 15000);
        modem().actOut("normal");
        run_->devices.sendBurst(".ONE\r"); // confirmed before the next check falls due
        QTRY_VERIFY_WITH_TIMEOUT(logged("Modem Restored"), 10000);
        const qsizetype checks = checksAsked();
        QTRY_VERIFY_WITH_TIMEOUT(checksAsked() > checks, 10000); // the state after the message
        modem().actOut("normal", "registration-unknown");
        QTRY_COMPARE_WITH_TIMEOUT(entries().filter("Modem Lost").size(), 2, 15000);
    }

    // Without a check due, a failed transaction begins the episode and a sent one ends it;
    // the message about it waits for the burst in hand.
    void lostAndBackByAlarms()
    {
        start("MODEM CHECK:60\r\n");
        modem().actOut("silent");
        run_->devices.sendBurst(".ONE\r");
        QTRY_VERIFY_WITH_TIMEOUT(logged("Modem Lost: no answer"), 10000);
        QCOMPARE(entries().mid(1, 2),
                 (QStringList{"No Respond from Modem, SMS not sent: .ONE " + kNumber,
                              "Modem Lost: no answer"}));
        modem().actOut("normal");
        run_->devices.sendBurst(".TWO\r.THREE\r");
        QTRY_VERIFY_WITH_TIMEOUT(entries().last().contains("1 alarms not sent"), 10000);
        const QStringList texts = entries();
        QCOMPARE(texts.mid(3, 3),
                 (QStringList{".TWO " + kNumber, "Modem Restored", ".THREE " + kNumber}));
        QCOMPARE(modem().transcript().count("modem lost"), 1);
        QCOMPARE(modem().transcript().count("AT+CSQ"), 0); // no check was due
    }

    // A modem that passes its checks but refuses every message stays lost until one goes.
    void refusedUntilAMessageGoes()
    {
        start("MODEM CHECK:0.005\r\n");
        modem().actOut("cms-error");
        run_->devices.sendBurst(".ONE\r");
        const QString lost = "Modem Lost: refused (+CMS ERROR: 500)";
        QTRY_VERIFY_WITH_TIMEOUT(logged(lost), 10000);
        const int checks = modem().transcript().count("AT+CSQ\r");
        QTRY_VERIFY_WITH_TIMEOUT(modem().transcript().count("AT+CSQ\r") >= checks + 2, 10000);
        QVERIFY(!logged("Modem Restored"));
        modem().actOut("normal");
        run_->devices.sendBurst(".TWO\r");
        QTRY_COMPARE_WITH_TIMEOUT(
            sent("ORVA .+: modem lost .+, 1 alarms not sent, see the log").size(), 1, 10000);
        QCOMPARE(entries().count(lost), 1);
    }

    // A message of the watch that fails is not lost: it goes again once the modem serves, and
    // the episode its failure began is told after it, with the alarm it could not send.
    void failedMessageGoesAgain()
    {
        start("MODEM CHECK:0.005\r\n");
        modem().actOut("silent");
        QTRY_VERIFY_WITH_TIMEOUT(logged("Modem Lost: no answer"), 10000);
        run_->devices.sendBurst(".ONE\r");
        QTRY_VERIFY_WITH_TIMEOUT(logged("No Respond from Modem, SMS not sent: .ONE " + kNumber),
                                 10000);
        modem().actOut("cms-error"); // checks pass, the restore message is refused
        QTRY_VERIFY_WITH_TIMEOUT(logged("Modem Lost: refused (+CMS ERROR: 500)"), 10000);
        run_->devices.sendBurst(".TWO\r");
        QTRY_VERIFY_WITH_TIMEOUT(
            logged("Modem Error (+CMS ERROR: 500), SMS not sent: .TWO " + kNumber), 10000);
        modem().actOut("normal");
        const QString restored = "ORVA .+: modem lost .+, 1 alarms not sent, see the log";
        QTRY_COMPARE_WITH_TIMEOUT(sent(restored).size(), 2, 10000);
        QCOMPARE(entries().filter("Modem Restored").size(), 2);
    }

    // At its time, after a check, with what happened since start-up; once a day, also when the
    // clock is put back before its time.
    void dailyTestMessage()
    {
        const QDateTime now = QDateTime::currentDateTime();
        const QDateTime testTime(now.date(), QTime(now.time().hour(), now.time().minute()));
        // The clock ORVA reads stands 3 s before the test time at start-up, a minute on.
        const auto shift = std::make_shared<qint64>(now.msecsTo(testTime.addSecs(57)));
        const QDateTime started = now.addMSecs(*shift);
        start("TEST SMS:" + testTime.addSecs(60).toString("hh:mm") + "\r\n",
              Clock{.wall = [shift] { return QDateTime::currentDateTime().addMSecs(*shift); }});
        run_->devices.sendBurst(".BEFORE THE TEST\r");
        const QString expected =
            QString("ORVA %1 test: 1 alarms sent, 0 not sent since %2; "
                    "signal -73 dBm")
                .arg(platform::computerName(), started.toString("dd.MM hh:mm"));
        QTRY_VERIFY_WITH_TIMEOUT(modem().accepted(kNumber, expected), 15000);
        QTRY_VERIFY(home_->logTexts(started.date()).contains(expected + ' ' + kNumber));
        QVERIFY(modem().transcript().indexOf("AT+CSQ") < modem().transcript().indexOf("test:"));
        // Put back to 2 s before the test time, seen before it at the next scan.
        *shift = QDateTime::currentDateTime().msecsTo(testTime.addSecs(58));
        runFor(5000);
        QCOMPARE(modem().transcript().count("test:"), 1);
    }

    // A run that ended without its exit entry is told once the program runs again, and the
    // episode it left open goes on, with the alarm it could not send.
    void restartAfterAnUncleanEnd()
    {
        EventLog log(home_->dataFolder());
        for (const char* entry :
             {"No Respond from Modem, SMS not sent: .ZONE 1 91234567", "Modem Lost: no answer"})
            log.write(entry);
        const QString last = parseLogEntries(home_->logBytes()).last().at().toString("dd.MM hh:mm");
        start("MODEM CHECK:0.005\r\n");
        const QString restarted =
            "ORVA .+ restarted at \\d\\d:\\d\\d after an unclean end; last entry ";
        QTRY_COMPARE_WITH_TIMEOUT(sent(restarted + last + ", see the log").size(), 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(sent("ORVA .+: modem lost .+, 1 alarms not sent.+").size(), 1,
                                  10000);
        QCOMPARE(entries().filter("Modem Lost").size(), 1);
        QCOMPARE(modem().transcript().count("restarted"), 1);
    }

    // Silence is told once, with a message; the next byte ends it, and the end is told when the
    // alert went. An alert still waiting then is dropped.
    void alarmPortSilence_data()
    {
        QTest::addColumn<QString>("watches");
        QTest::addColumn<QString>("modemMeanwhile");
        QTest::addColumn<int>("told");
        test::row("alert sent, its end told", "SILENCE B:0.001\r\n", "normal", 1); // 3.6 s
        test::row("alert still waiting, dropped", "SILENCE B:0.001\r\nMODEM CHECK:0.005\r\n",
                  "error", 0);
    }

    void alarmPortSilence()
    {
        QFETCH(QString, watches);
        QFETCH(QString, modemMeanwhile);
        QFETCH(int, told);
        start(watches);
        modem().actOut(modemMeanwhile);
        const QString silent = "Alarm Port Silent: nothing received for 0.001 h";
        const QString alert = "ORVA .+: " + silent;
        QTRY_VERIFY_WITH_TIMEOUT(logged(silent), 10000);
        const QString failed = "Modem Error (ERROR), SMS not sent: ORVA " +
                               platform::computerName() + ": " + silent + ' ' + kNumber;
        QTRY_VERIFY_WITH_TIMEOUT(told ? sent(alert).size() == 1 : logged(failed), 10000);
        runFor(2500);
        QCOMPARE(entries().count(silent), 1);
        QVERIFY(!logged("Alarm Port Active"));
        run_->devices.sendBurst("panel status: all quiet\r");
        QTRY_VERIFY_WITH_TIMEOUT(loggedAfter("Alarm Port Active", silent), 10000);
        modem().actOut("normal");
        const QString over = "ORVA .+: alarm port active again after [0-9.]+ h";
        QTRY_COMPARE_WITH_TIMEOUT(sent(over).size(), told, 10000);
        runFor(1000); // the alert would go again meanwhile, within the next silence
        const QRegularExpression sentEntry('^' + alert + ' ' + kNumber + '$');
        QCOMPARE(entries().filter(sentEntry).size(), told); // logged at once, unlike accepted()
        QCOMPARE(entries().filter(QRegularExpression('^' + over + ' ' + kNumber + '$')).size(),
                 told);
    }

    // A check never comes between the commands of a message and its text.
    void checksKeepOutOfTransactions()
    {
        start("MODEM CHECK:0.002\r\n"); // every 0.12 s
        run_->devices.sendBurst(".ONE\r.TWO\r.THREE\r");
        run_->program().showManualSms();
        emit run_->program().manualSmsWindow()->sendRequested("91234567", "by hand");
        QTRY_COMPARE_WITH_TIMEOUT(modem().accepted().size(), 4, 15000);
        QTRY_VERIFY_WITH_TIMEOUT(modem().transcript().count("AT+CSQ\r") >= 3, 10000);
        const QString transcript = QString::fromLatin1(modem().transcript());
        const QRegularExpression transaction("at\\+cmgf = 1\\r(.*?)\\x1a",
                                             QRegularExpression::DotMatchesEverythingOption);
        const QRegularExpression question("AT(\\+C[A-Z5]+[?]?)?\\r");
        int transactions = 0;
        for (const auto& match : transaction.globalMatch(transcript)) {
            ++transactions;
            QVERIFY2(!match.captured(1).contains(question), qPrintable(match.captured(1)));
        }
        QCOMPARE(transactions, 4);
    }

    // Without the keys, or with them off, not one byte more goes to the modem.
    void offMeansTodaysTraffic_data()
    {
        QTest::addColumn<QString>("watches");
        test::row("no keys", "");
        test::row("keys off", "MODEM CHECK:0\r\nTEST SMS:\r\nSILENCE B:\r\n");
    }

    void offMeansTodaysTraffic()
    {
        QFETCH(QString, watches);
        start(watches);
        runFor(1500);
        run_->devices.sendBurst(".ALARM\r");
        QTRY_VERIFY_WITH_TIMEOUT(modem().accepted(kNumber, ".ALARM"), 10000);
        runFor(1500);
        QCOMPARE(modem().transcript(), (kCommands + ".ALARM\x1a").toLatin1());
        QCOMPARE(entries(), (QStringList{"SMS Program Started", ".ALARM " + kNumber}));
    }
};

QTEST_MAIN(PathWatchTest)
#include "tst_pathwatch.moc"
