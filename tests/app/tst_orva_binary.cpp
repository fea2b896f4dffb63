#include "eventlog/EventLog.h"
#include "pty/PseudoTerminal.h"
#include "support/ChildProcess.h"
#include "support/ModemSimulator.h"
#include "support/ProcessFigures.h"
#include "support/Row.h"
#include "support/RunningProgram.h"
#include "support/TestHome.h"

#include <QDir>
#include <QtTest>
#include <csignal>
#include <memory>
#include <random>

using namespace orva;
using tools::PseudoTerminal;

namespace {

const QString kNumber = "91234567";

} // namespace

// The real program, run as the operator runs it, in a temporary home, and the faults it
// survives.
class OrvaBinaryTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<test::SimulatedDevices> devices_;
    std::unique_ptr<test::Process> orva_;

    // The program started on the simulated devices, the modem answering after 100 ms.
    void startOnDevices()
    {
        devices_ = std::make_unique<test::SimulatedDevices>(*home_, "1",
                                                            QStringList{"--reply-delay", "100"});
        orva_ = startOrva();
        QTRY_VERIFY_WITH_TIMEOUT(logged("SMS Program Started"), 10000);
    }

    void sendAlarm(const QString& alarm) const { devices_->sendBurst(alarm + "\r"); }
    bool modemReceived(const QString& alarm) { return devices_->modem.accepted(kNumber, alarm); }
    bool logged(const QString& text) const { return home_->logTexts().contains(text); }
    QString pid() const { return QString::number(orva_->process().processId()); }
    void assertStillRunning() { QCOMPARE(orva_->process().state(), QProcess::Running); }

    std::unique_ptr<test::Process> startOrva(const QStringList& arguments = {})
    {
        return std::make_unique<test::Process>(test::binary("orva"), arguments, home_->path());
    }

    // Runs a program to its end; its exit status, or -1 when it did not end in time.
    static int runToEnd(test::Process& process, int timeoutMs = 15000)
    {
        if (!process.process().waitForFinished(timeoutMs))
            return -1;
        return process.process().exitCode();
    }

private slots:
    void init() { home_ = std::make_unique<test::TestHome>(); }

    void cleanup()
    {
        if (orva_)
            QCOMPARE(orva_->terminate(), 0);
        orva_.reset();
        devices_.reset();
        home_.reset();
    }

    void startsAndEndsOnSignal_data()
    {
        QTest::addColumn<int>("signal");
        test::row("SIGTERM", SIGTERM);
        test::row("SIGINT", SIGINT);
        test::row("SIGHUP", SIGHUP);
    }

    void startsAndEndsOnSignal()
    {
        QFETCH(int, signal);
        const PseudoTerminal modem(home_->linkPath(1).toStdString());
        const PseudoTerminal alarms(home_->linkPath(2).toStdString());
        home_->writeWorkingSettings();
        EventLog(home_->dataFolder()).LogEvent("an earlier run");
        const auto orva = startOrva();
        QTRY_COMPARE_WITH_TIMEOUT(home_->logTexts().size(), 2, 10000);
        QCOMPARE(home_->logTexts().last(), "SMS Program Started");
        orva->signal(signal);
        QVERIFY(orva->process().waitForFinished(5000));
        QCOMPARE(orva->process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(orva->process().exitCode(), 0);
        const QStringList expected{"an earlier run", "SMS Program Started", "SMS Program Exit"};
        QCOMPARE(home_->logTexts(), expected);
    }

    void alarmBecomesOneSms()
    {
        const QString alarm = QString(".ZONE 1 FIRE").leftJustified(78, u' ');
        const QString normal = QString(".ZONE 1 FIRE").leftJustified(62, u' ') + "OK  NORMAL";
        test::ModemSimulator modem(*home_);
        test::Process source(
            test::binary("orva-alarm-simulator"),
            {"--link", home_->linkPath(2), "--crlf", "--wait", alarm, normal, "Printer paper low"});
        QVERIFY(source.waitForError("ready"));
        home_->writeWorkingSettings("91234567", "10");
        const auto orva = startOrva();
        QTRY_COMPARE_WITH_TIMEOUT(home_->logTexts().size(), 1, 10000);
        QElapsedTimer sinceBurst;
        source.signal(SIGUSR1);
        sinceBurst.start();
        QTRY_VERIFY_WITH_TIMEOUT(!modem.accepted().isEmpty(), 30000);
        QVERIFY2(sinceBurst.elapsed() > 9500, "sent before the burst had settled");
        QCOMPARE(modem.accepted(), QStringList{"91234567\t" + alarm});
        QTRY_COMPARE(home_->logTexts().size(), 2);
        QCOMPARE(home_->logTexts().at(1), alarm + " 91234567");
        QTest::qWait(2000);
        QCOMPARE(modem.accepted().size(), 1); // the normal and plain lines are not sent
        QCOMPARE(orva->terminate(), 0);
    }

    // The manners of every Unix program, touching no port, window or log.
    void commandLineManners_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("error");
        test::row("help", "orva", QStringList{"--help"}, 0, "Usage: orva", "");
        test::row("version", "orva", QStringList{"--version"}, 0, "orva 1.0\n", "");
        test::row("unknown option", "orva", QStringList{"--bogus"}, 2, "",
                  "Unknown option 'bogus'");
        test::row("stray argument", "orva", QStringList{"stray"}, 2, "",
                  "unexpected argument \"stray\"");
        test::row("Qt's own option", "orva", QStringList{"-platform", "xcb"}, 2, "", "Usage: orva");
        test::row("modem simulator help", "orva-modem-simulator", QStringList{"--help"}, 0,
                  "--trouble", "");
        test::row("modem simulator without link", "orva-modem-simulator", QStringList{}, 2, "",
                  "--link is required");
        test::row("modem simulator, bad mode", "orva-modem-simulator",
                  QStringList{"--link", "x", "--mode", "loud"}, 2, "",
                  "--mode: \"loud\" is not one of");
        test::row("alarm simulator help", "orva-alarm-simulator", QStringList{"--help"}, 0,
                  "--pace", "");
        test::row("alarm simulator, bad pace", "orva-alarm-simulator",
                  QStringList{"--link", "x", "--pace", "abc"}, 2, "",
                  "--pace: \"abc\" is not a number of milliseconds");
    }

    void commandLineManners()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        const PseudoTerminal modem(home_->linkPath(1).toStdString());
        home_->writeWorkingSettings();
        test::Process process(test::binary(program), arguments, home_->path());
        QTEST(runToEnd(process), "status");
        QFETCH(QString, output);
        QFETCH(QString, error);
        QVERIFY2(process.standardOutput().contains(output), qPrintable(process.standardOutput()));
        QVERIFY2(process.standardError().contains(error), qPrintable(process.standardError()));
        QVERIFY(home_->logBytes().isEmpty());
        QVERIFY(modem.read(std::chrono::milliseconds(50)).empty());
    }

    // orva --check against the simulator acting out the usual troubles.
    void checkReports_data()
    {
        QTest::addColumn<QStringList>("modemOptions");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("findings");
        const QString ready = "Ready to send SMS.";
        test::row("ready", QStringList{}, 0,
                  QStringList{"Modem: answers AT", "SIM: ready", "Signal: -73 dBm, excellent",
                              "Network: registered, home network", "Text mode: accepted", ready});
        test::row(
            "no SIM", QStringList{"--trouble", "no-sim"}, 1,
            QStringList{"SIM: not inserted", "Not ready: the SIM is not ready (not inserted)"});
        test::row("PIN needed", QStringList{"--trouble", "pin"}, 1,
                  QStringList{"SIM: PIN needed", "Not ready: the SIM is not ready (PIN needed)"});
        test::row("no signal", QStringList{"--trouble", "no-signal"}, 1,
                  QStringList{"Signal: unknown", "Network: searching",
                              "Not ready: the modem is not on a network (searching)"});
        test::row("not registered", QStringList{"--trouble", "not-registered"}, 1,
                  QStringList{"Network: not registered",
                              "Not ready: the modem is not on a network (not registered)"});
        test::row("no answer", QStringList{"--mode", "silent"}, 1,
                  QStringList{"Modem: no answer to AT", "Not ready: the modem does not answer"});
    }

    void checkReports()
    {
        QFETCH(QStringList, modemOptions);
        QFETCH(QStringList, findings);
        test::ModemSimulator modem(*home_, modemOptions);
        const PseudoTerminal alarms(home_->linkPath(2).toStdString());
        home_->writeWorkingSettings();
        alarms.write("abc");
        const auto check = startOrva({"--check"});
        QTEST(runToEnd(*check), "status");
        const QStringList lines = check->standardOutput().split('\n', Qt::SkipEmptyParts);
        for (const QString& finding : findings)
            QVERIFY2(lines.contains(finding), qPrintable(lines.join('\n')));
        QCOMPARE(lines.last(), findings.last());
        QCOMPARE(lines.contains("Port B (alarm port): open; 3 bytes arrived in 3 s"),
                 !findings.contains("Modem: no answer to AT"));
        QVERIFY(home_->logBytes().isEmpty());
        QVERIFY(modem.accepted().isEmpty()); // no SMS
    }

    // A port that cannot be opened is a finding with its cause, not a crash.
    void checkReportsPortsItCannotOpen_data()
    {
        QTest::addColumn<bool>("asAnotherUser");
        QTest::addColumn<QString>("cause");
        test::row("unplugged adapter", false,
                  "points to /dev/orva-unplugged-modem, which does not exist");
        test::row("device of another user", true,
                  ": permission denied (is the user in the dialout group?)");
    }

    void checkReportsPortsItCannotOpen()
    {
        QFETCH(bool, asAnotherUser);
        QFETCH(QString, cause);
        home_->writeWorkingSettings();
        std::unique_ptr<PseudoTerminal> modem;
        std::unique_ptr<test::Process> check;
        if (asAnotherUser) { // nobody may read the home, but not use root's terminals
            modem = std::make_unique<PseudoTerminal>(home_->linkPath(1).toStdString());
            for (const QString& path : {home_->path(), home_->dataFolder()})
                QFile::setPermissions(path, QFile::permissions(path) | QFile::ReadOther |
                                                QFile::ExeOther);
            QFile::setPermissions(home_->dataFolder() + "/settings.ini",
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
            check = std::make_unique<test::Process>("setpriv",
                                                    QStringList{"--reuid=65534", "--regid=65534",
                                                                "--clear-groups",
                                                                test::binary("orva"), "--check"},
                                                    home_->path());
        } else {
            QVERIFY(QFile::link("/dev/orva-unplugged-modem", home_->linkPath(1)));
            check = startOrva({"--check"});
        }
        QCOMPARE(runToEnd(*check), 1);
        QVERIFY2(check->standardOutput().endsWith(cause + "\n"),
                 qPrintable(check->standardOutput()));
    }

    void failureWaitsForOkAndSaysTheCause()
    {
        home_->writeSettings("PORT A:1\r\nSETTINGS A:Text7\r\n");
        const auto orva = startOrva();
        QVERIFY(orva->waitForError("start-up failed"));
        const QStringList lines = orva->standardError().split('\n', Qt::SkipEmptyParts);
        const QStringList cause = lines.filter("ORVA:");
        QCOMPARE(cause.size(), 1);
        QVERIFY2(cause[0].contains("\"Text7\""), qPrintable(cause[0]));
        QTest::qWait(300);
        QCOMPARE(orva->process().state(), QProcess::Running); // the message box waits
        QVERIFY(home_->logTexts().isEmpty());
        orva->signal(SIGTERM); // counts as its OK
        QVERIFY(orva->process().waitForFinished(5000));
        QCOMPARE(orva->process().exitCode(), 1);
        QCOMPARE(home_->logTexts(), QStringList{"Start up Com port error, Program Exit"});
    }

    // The faults an unattended notifier meets, survived at real timing.
    void modemUnpluggedAndBack()
    {
        startOnDevices();
        devices_->modem.unplug(); // its link disappears with it
        const double before = test::processorSeconds(pid());
        sendAlarm(".WHILE AWAY");
        QTRY_VERIFY_WITH_TIMEOUT(logged("Port Error, SMS not sent: .WHILE AWAY " + kNumber), 30000);
        QTest::qWait(2000);
        const double used = test::processorSeconds(pid()) - before;
        QVERIFY2(used < 1.0, qPrintable(QString("%1 s of processor time").arg(used)));
        devices_->modem.plugIn();
        sendAlarm(".AFTER RETURN");
        QTRY_VERIFY_WITH_TIMEOUT(modemReceived(".AFTER RETURN"), 30000);
        assertStillRunning();
    }

    void alarmSourceUnpluggedAndBack()
    {
        startOnDevices();
        devices_->unplugAlarms();
        QTest::qWait(2500); // a few scans find the line gone
        devices_->plugInAlarms();
        sendAlarm(".AFTER RETURN");
        QTRY_VERIFY_WITH_TIMEOUT(modemReceived(".AFTER RETURN"), 30000);
        assertStillRunning();
    }

    void dataFolderDisappearsAndReturns()
    {
        startOnDevices();
        QDir home(home_->path());
        QVERIFY(home.rename("ORVA", "ORVA.away")); // the open lines stay open
        sendAlarm(".WITHOUT LOG");
        QTRY_VERIFY_WITH_TIMEOUT(modemReceived(".WITHOUT LOG"), 30000); // only its entry is lost
        QTest::qWait(4000);                                             // the transaction ends
        assertStillRunning();
        QVERIFY(home.rename("ORVA.away", "ORVA"));
        sendAlarm(".WITH LOG");
        QTRY_VERIFY_WITH_TIMEOUT(logged(".WITH LOG " + kNumber), 30000);
        QVERIFY(!logged(".WITHOUT LOG " + kNumber));
        QVERIFY(orva_->standardError().contains(QRegularExpression(
            "ORVA: not logged: \\d{8} \\d\\d:\\d\\d:\\d\\d \\.WITHOUT LOG " + kNumber)));
    }

    void floodThenAlarm()
    {
        startOnDevices();
        const qint64 before = test::residentKiB(pid());
        std::mt19937 random(20261207);
        QString flood(64 * 1024, u'\0');
        for (QChar& byte : flood)
            byte = QChar(char16_t(random() & 0xff));
        devices_->sendBurst(flood);
        QTest::qWait(12000); // the flood settles and is read as one burst
        sendAlarm(".AFTER FLOOD");
        QTRY_VERIFY_WITH_TIMEOUT(modemReceived(".AFTER FLOOD"), 90000);
        const qint64 grown = test::residentKiB(pid()) - before;
        QVERIFY2(grown < 50 * 1024, qPrintable(QString("grew by %1 KiB").arg(grown)));
        assertStillRunning();
    }
};

QTEST_GUILESS_MAIN(OrvaBinaryTest)
#include "tst_orva_binary.moc"
