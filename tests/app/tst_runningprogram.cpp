#include "alarm/Burst.h"
#include "eventlog/EventLog.h"
#include "eventlog/LogEntry.h"
#include "support/ModalAnswer.h"
#include "support/ProcessFigures.h"
#include "support/Row.h"
#include "support/RunningProgram.h"
#include "windows/ManualSmsWindow.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>
#include <memory>
#include <random>
#include <sys/stat.h>

using namespace orva;

namespace {

const QString kNumber = "91234567";
const QString kCommands = "at+cmgf = 1\rAT+CMGS=\"91234567\"\r";

} // namespace

// The whole program in this process on the simulated modem and alarm line, with short waits: the
// faults an unattended notifier meets and survives, and the watch between alarms wired to both
// lines and the log, never in an alarm's way. What only the real process shows: the binary's
// own test.
class RunningProgramTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<test::RunningProgram> run_;

    void start(const QString& moreSettings = {})
    {
        run_.reset();
        run_ = std::make_unique<test::RunningProgram>(*home_, moreSettings, Clock{},
                                                      test::RunningProgram::kShortScanPeriod);
    }
    void sendAlarm(const QString& alarm) { run_->devices.sendBurst(alarm + "\r"); }
    QString alarmPort() const { return "port B (alarm port) (" + home_->linkPath(2) + ")"; }

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

private slots:
    void init() { home_ = std::make_unique<test::TestHome>(); }

    void cleanup()
    {
        run_.reset();
        home_.reset();
    }

    // The watch in the program: it reads the log of the run before, asks the modem on port A,
    // hears every alarm's outcome and sends through the same modem, whatever the alarm port
    // brings (every scan reads a burst here), and no check comes between the commands of a
    // message and its text. Its rules, in time, are the watch's own tests'.
    void lostAndBackThroughTheProgram()
    {
        EventLog(home_->dataFolder()).write("SMS Program Started"); // and no exit entry
        start("MODEM CHECK:0.005\r\nLENGTH B:0\r\n");               // every 0.3 s
        QTRY_COMPARE_WITH_TIMEOUT(sent("ORVA .+ restarted at .+ after an unclean end.+").size(), 1,
                                  10000);
        QTRY_VERIFY_WITH_TIMEOUT(modem().transcript().count("AT+CESQ\r") >= 2, 10000);
        modem().actOut("silent");
        QTRY_VERIFY_WITH_TIMEOUT(logged("Modem Lost: no answer"), 10000);
        run_->devices.sendBurst(".ZONE 9\r");
        const QString notSent = "No Respond from Modem, SMS not sent: .ZONE 9 " + kNumber;
        QTRY_VERIFY_WITH_TIMEOUT(loggedAfter(notSent, "Modem Lost: no answer"), 10000);
        modem().actOut("normal");
        QTRY_VERIFY_WITH_TIMEOUT(loggedAfter("Modem Restored", notSent), 10000);
        const QString restored =
            "ORVA .+: modem lost \\d\\d:\\d\\d to \\d\\d:\\d\\d, 1 alarms not sent, see the log";
        QTRY_COMPARE_WITH_TIMEOUT(sent(restored).size(), 1, 10000);
        QTRY_VERIFY(entries().last().endsWith("1 alarms not sent, see the log " + kNumber));
        QCOMPARE(entries().filter("Modem Lost").size(), 1);

        const qsizetype before = modem().transcript().size();
        run_->devices.sendBurst(".ONE\r.TWO\r.THREE\r");
        run_->program().showManualSms();
        emit run_->program().manualSmsWindow()->sendRequested("91234567", "by hand");
        QTRY_COMPARE_WITH_TIMEOUT(modem().accepted().size(), 6, 15000);
        QTRY_VERIFY_WITH_TIMEOUT(modem().transcript().mid(before).count("AT+CSQ\r") >= 3, 10000);
        const QRegularExpression transaction("at\\+cmgf = 1\\r(.*?)\\x1a",
                                             QRegularExpression::DotMatchesEverythingOption);
        int transactions = 0;
        for (const auto& match :
             transaction.globalMatch(QString::fromLatin1(modem().transcript().mid(before)))) {
            ++transactions;
            QVERIFY2(!match.captured(1).contains(QRegularExpression("AT(\\+C[A-Z5]+[?]?)?\\r")),
                     qPrintable(match.captured(1)));
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
        QTest::qWait(1500);
        run_->devices.sendBurst(".ALARM\r");
        QTRY_VERIFY_WITH_TIMEOUT(modem().accepted(kNumber, ".ALARM"), 10000);
        QTest::qWait(1500);
        QCOMPARE(modem().transcript(), (kCommands + ".ALARM\x1a").toLatin1());
        QCOMPARE(entries(), (QStringList{"SMS Program Started", ".ALARM " + kNumber}));
    }

    // An alarm while the modem is away fails without spinning; the next one goes out.
    void modemUnpluggedAndBack()
    {
        start();
        modem().unplug(); // its link disappears with it
        const double before = test::processorSeconds();
        sendAlarm(".WHILE AWAY");
        QTRY_VERIFY_WITH_TIMEOUT(logged("Port Error, SMS not sent: .WHILE AWAY " + kNumber), 5000);
        QTest::qWait(2000);
        const double used = test::processorSeconds() - before;
        QVERIFY2(used < 1.0, qPrintable(QString("%1 s of processor time").arg(used)));
        modem().plugIn();
        sendAlarm(".AFTER RETURN");
        QTRY_VERIFY_WITH_TIMEOUT(modem().accepted(kNumber, ".AFTER RETURN"), 5000);
        QVERIFY(!run_->exitStatus());
    }

    // A keep-alive below the threshold waits while the adapter is away: the loss and the
    // return are logged all the same, and the next alarm goes out.
    void alarmSourceUnpluggedAndBack_data()
    {
        QTest::addColumn<bool>("linkLeftDangling");
        test::row("link gone with the adapter", false);
        test::row("link left dangling, then pointed anew", true);
    }

    void alarmSourceUnpluggedAndBack()
    {
        QFETCH(bool, linkLeftDangling);
        start("LENGTH B:10\r\n");
        run_->devices.sendBurst("ok\r");
        QTest::qWait(300); // taken in by the line
        run_->devices.unplugAlarms();
        if (linkLeftDangling)
            QVERIFY(QFile::link("/dev/orva-unplugged-alarms", home_->linkPath(2)));
        const QString lost = "Port Error: " + alarmPort() + ": ";
        QTRY_VERIFY_WITH_TIMEOUT(!home_->logTexts().filter(lost).isEmpty(), 5000);
        if (linkLeftDangling)
            QVERIFY2(home_->logTexts().filter(lost).first().endsWith(
                         "points to /dev/orva-unplugged-alarms, which does not exist"),
                     qPrintable(home_->logTexts().join('\n')));
        run_->devices.plugInAlarms(); // the link points to the adapter again
        QTRY_VERIFY_WITH_TIMEOUT(logged("Port Restored: " + alarmPort()), 5000);
        sendAlarm(".AFTER RETURN");
        QTRY_VERIFY_WITH_TIMEOUT(modem().accepted(kNumber, ".AFTER RETURN"), 5000);
        QCOMPARE(home_->logTexts().filter("Port ").size(), 2); // once each
        QVERIFY(!run_->exitStatus());
    }

    // While the log cannot take entries, alarms still go out; once it can, it takes them again.
    // Where a lost entry goes instead: the log's own test.
    void logUnusableAndBack_data()
    {
        QTest::addColumn<bool>("fifo");
        test::row("data folder gone", false);
        test::row("log file a FIFO without a reader", true);
    }

    void logUnusableAndBack()
    {
        QFETCH(bool, fifo);
        start();
        const QString logPath = home_->dataFolder() + "/" + logFileName(QDate::currentDate());
        QDir home(home_->path());
        QVERIFY(fifo ? QFile::remove(logPath) && ::mkfifo(qPrintable(logPath), 0600) == 0
                     : home.rename("ORVA", "ORVA.away"));
        sendAlarm(".WITHOUT LOG"); // the open lines stay open; only its entry is lost
        QTRY_VERIFY_WITH_TIMEOUT(modem().accepted(kNumber, ".WITHOUT LOG"), 5000);
        const test::ModalAnswer answer; // a typed message's loss is told to the operator
        run_->program().showManualSms();
        emit run_->program().manualSmsWindow()->sendRequested(kNumber, "typed");
        QTRY_COMPARE(answer.seen().count, 1);
        QVERIFY2(answer.seen().text.startsWith("cannot open the event log " + logPath),
                 qPrintable(answer.seen().text));
        QVERIFY(fifo ? QFile::remove(logPath) : home.rename("ORVA.away", "ORVA"));
        sendAlarm(".WITH LOG");
        QTRY_VERIFY_WITH_TIMEOUT(logged(".WITH LOG " + kNumber), 5000);
        QVERIFY(!logged(".WITHOUT LOG " + kNumber) && !logged("typed " + kNumber));
        QVERIFY(!run_->exitStatus());
    }

    // Received bytes dropped by the full buffer leave one entry, written when it is read.
    void fullBufferLeavesATrace()
    {
        start();
        run_->devices.sendBurst(QString(1024 * 1024 + 4096, u'x')); // taken in at once
        QTRY_VERIFY_WITH_TIMEOUT(
            logged("Port Error: " + alarmPort() + " receive buffer full, 4096 bytes dropped"),
            10000);
        QCOMPARE(home_->logTexts().filter("receive buffer full").size(), 1);
        QVERIFY(!run_->exitStatus());
    }

    void floodThenAlarm()
    {
        start();
        const qint64 before = test::residentKiB();
        std::mt19937 random(20261207);
        QString flood(64 * 1024, u'\0');
        for (QChar& byte : flood)
            byte = QChar(char16_t(random() & 0xff));
        run_->devices.sendBurst(flood);
        // The flood settles and is read as one burst; the status line shows its messages.
        QTRY_COMPARE_WITH_TIMEOUT(run_->mainWindow().line(1),
                                  splitBurst(unfoldLineFeeds(flood)).at(1), 10000);
        sendAlarm(".AFTER FLOOD");
        QTRY_VERIFY_WITH_TIMEOUT(modem().accepted(kNumber, ".AFTER FLOOD"), 30000);
        const qint64 grown = test::residentKiB() - before;
        QVERIFY2(grown < 50 * 1024, qPrintable(QString("grew by %1 KiB").arg(grown)));
        QVERIFY(!run_->exitStatus());
    }
};

QTEST_MAIN(RunningProgramTest)
#include "tst_runningprogram.moc"
