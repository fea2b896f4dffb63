#include "config/SettingsFile.h"
#include "eventlog/EventLog.h"
#include "pty/PseudoTerminal.h"
#include "support/ChildProcess.h"
#include "support/ModemSimulator.h"
#include "support/NotifySocket.h"
#include "support/Row.h"
#include "support/RunningProgram.h"
#include "support/TestHome.h"

#include <QDir>
#include <QtTest>
#include <csignal>
#include <memory>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace orva;
using tools::PseudoTerminal;

namespace {

const QString kNumber = "91234567";
// What orva --check asks a modem that answers: today's questions, then those of the newer
// domains and measure, then text mode.
const QByteArray kQuestionsOfTheCheck = "AT\rAT+CPIN?\rAT+CREG?\rAT+CSQ\rAT+CGREG?\rAT+CEREG?\r"
                                        "AT+C5GREG?\rAT+CESQ\rAT+CMGF=1\r";

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
    void startOnDevices(const QStringList& modemOptions = {},
                        const QMap<QString, QString>& environment = {})
    {
        devices_ = std::make_unique<test::SimulatedDevices>(
            *home_, "1", QStringList{"--reply-delay", "100"} + modemOptions);
        orva_ = startOrva({}, environment);
        QTRY_VERIFY_WITH_TIMEOUT(logged("SMS Program Started"), 10000);
    }

    void sendAlarm(const QString& alarm) const { devices_->sendBurst(alarm + "\r"); }
    bool modemReceived(const QString& alarm) { return devices_->modem.accepted(kNumber, alarm); }
    bool logged(const QString& text) const { return home_->logTexts().contains(text); }
    QString settingsPath() const { return settingsFilePath(); } // home_ is HOME
    void assertStillRunning() { QCOMPARE(orva_->process().state(), QProcess::Running); }

    std::unique_ptr<test::Process> startOrva(const QStringList& arguments = {},
                                             const QMap<QString, QString>& environment = {})
    {
        return std::make_unique<test::Process>(test::binary("orva"), arguments, home_->path(),
                                               environment);
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
        test::row("SIGQUIT", SIGQUIT);
        test::row("SIGUSR1", SIGUSR1);
        test::row("SIGUSR2", SIGUSR2);
        test::row("SIGALRM", SIGALRM);
        test::row("SIGPIPE, ignored, then SIGTERM", SIGPIPE);
    }

    void startsAndEndsOnSignal()
    {
        QFETCH(int, signal);
        const PseudoTerminal modem(home_->linkPath(1).toStdString());
        const PseudoTerminal alarms(home_->linkPath(2).toStdString());
        home_->writeWorkingSettings();
        EventLog(home_->dataFolder()).write("an earlier run");
        const auto orva = startOrva();
        QTRY_COMPARE_WITH_TIMEOUT(home_->logTexts().size(), 2, 10000);
        QCOMPARE(home_->logTexts().last(), "SMS Program Started");
        orva->signal(signal);
        if (signal == SIGPIPE) {
            QVERIFY(!orva->process().waitForFinished(500));
            orva->signal(SIGTERM);
        }
        QVERIFY(orva->process().waitForFinished(5000));
        QCOMPARE(orva->process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(orva->process().exitCode(), 0);
        const QStringList expected{"an earlier run", "SMS Program Started", "SMS Program Exit"};
        QCOMPARE(home_->logTexts(), expected);
    }

    // The live alarm of a burst from the alarm source becomes one SMS once the burst has
    // settled. A service manager hears that ORVA is ready, what its status line says, that it is
    // alive at least every half watchdog interval also through the slow transactions of the
    // burst, and that it is stopping.
    void alarmBecomesOneSms()
    {
        using namespace std::chrono;
        const QString alarm = QString(".ZONE 1 FIRE").leftJustified(78, u' ');
        const QString normal = QString(".ZONE 1 FIRE").leftJustified(62, u' ') + "OK  NORMAL";
        test::NotifySocket manager;
        test::ModemSimulator modem(*home_, {"--reply-delay", "3000"});
        test::Process source(test::binary("orva-alarm-simulator"),
                             {"--link", home_->linkPath(2), "--crlf", "--wait", alarm, normal,
                              "Printer paper low", ".TWO"});
        QVERIFY(source.waitForError("ready"));
        home_->writeWorkingSettings(kNumber, "10");
        orva_ = startOrva({}, {{"NOTIFY_SOCKET", manager.path()}, {"WATCHDOG_USEC", "2000000"}});
        QVERIFY(manager.waitFor("READY=1", seconds(10)));
        QCOMPARE(home_->logTexts(), QStringList{"SMS Program Started"});
        QCOMPARE(manager.matching("STATUS=SMS Program Started").size(), 1U);
        source.signal(SIGUSR1);
        const auto burstSent = steady_clock::now();
        const QDeadlineTimer settled(30000); // the manager is heard meanwhile
        while (!modem.transcript().contains("AT+CMGS") && !settled.hasExpired())
            manager.listen(milliseconds(50));
        QVERIFY2(steady_clock::now() - burstSent > milliseconds(9500),
                 "sent before the burst had settled");
        const QString second = " .TWO"; // after a line feed, read as a blank
        QVERIFY(manager.waitFor("STATUS=" + (second + " " + kNumber).toLatin1(), seconds(60)));
        QCOMPARE(manager.matching("STATUS=" + (alarm + " " + kNumber).toLatin1()).size(), 1U);
        manager.listen(milliseconds(1500));
        auto last = burstSent;
        for (const auto& ping : manager.matching("WATCHDOG=1")) {
            if (ping.at < burstSent)
                continue;
            QVERIFY2(ping.at - last < milliseconds(1000), "the watchdog waited too long");
            last = ping.at;
        }
        QVERIFY(last - burstSent > seconds(16)); // settle wait, two transactions, and after
        // The normal and plain lines are not sent.
        QTRY_COMPARE(modem.accepted(),
                     (QStringList{kNumber + "\t" + alarm, kNumber + "\t" + second}));
        QCOMPARE(home_->logTexts(), (QStringList{"SMS Program Started", alarm + " " + kNumber,
                                                 second + " " + kNumber}));
        orva_->signal(SIGTERM);
        QVERIFY(manager.waitFor("STOPPING=1", seconds(10)));
        QCOMPARE(runToEnd(*orva_), 0);
        orva_.reset();
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
        test::row("Qt's option, then the version", "orva",
                  QStringList{"-platform", "offscreen", "--version"}, 0, "orva 1.0\n", "");
        test::row("Qt's option, then an unknown one", "orva",
                  QStringList{"-style", "fusion", "--bogus"}, 2, "", "Unknown option 'bogus'");
        test::row("help names Qt's options", "orva", QStringList{"--help"}, 0, "qt6options(7)", "");
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

    // Options that every Qt program takes, such as a session manager's -session at login.
    void takesQtOptions_data()
    {
        QTest::addColumn<QStringList>("options");
        test::row("platform, without the variable", QStringList{"-platform", "offscreen"});
        test::row("style", QStringList{"-style", "fusion"});
        test::row("session", QStringList{"-session", "10d7c3a9e1000171209337300000013680000"});
        test::row("double dash", QStringList{"--reverse", "--qwindowtitle", "ORVA"});
    }

    void takesQtOptions()
    {
        QFETCH(QStringList, options);
        const PseudoTerminal modem(home_->linkPath(1).toStdString());
        const PseudoTerminal alarms(home_->linkPath(2).toStdString());
        home_->writeWorkingSettings();
        QStringList command; // run by env, which leaves out the variable for -platform
        if (options.contains("-platform"))
            command << "-u"
                    << "QT_QPA_PLATFORM";
        command << test::binary("orva") << options;
        test::Process orva("env", command, home_->path());
        QTRY_VERIFY_WITH_TIMEOUT(logged("SMS Program Started"), 10000);
        QCOMPARE(orva.terminate(), 0);
    }

    // orva --check against the simulator acting out the usual troubles.
    void checkReports_data()
    {
        QTest::addColumn<QStringList>("modemOptions");
        QTest::addColumn<QString>("lengthB");
        QTest::addColumn<QString>("watches");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("findings");
        const QString ready = "Ready to send SMS.";
        const QString unreachable =
            "LENGTH B: \"40000\" can never be reached: at most 32767 characters are counted";
        test::row("ready", QStringList{}, "5", "", 0,
                  QStringList{"Modem check: off", "Test SMS: off", "Alarm port silence: off",
                              "Modem: answers AT", "SIM: ready",
                              "Signal: -73 dBm (RSSI), excellent",
                              "Network: registered, home network", "Text mode: accepted", ready});
        test::row("watches between alarms", QStringList{}, "5",
                  "MODEM CHECK:5\r\nTEST SMS: 8:00\r\nSILENCE B:0.5\r\n", 0,
                  QStringList{"Modem check: every 5 min", "Test SMS: every day at 08:00",
                              "Alarm port silence: an alert after 0.5 h without a byte", ready});
        const QString noTime = "TEST SMS: \"25:99\" is no time of day: hh:mm, from 00:00 to 23:59";
        test::row("test time refused", QStringList{}, "5", "TEST SMS:25:99\r\n", 1,
                  QStringList{noTime, "Modem: answers AT", "Not ready: " + noTime});
        // The SIM and the network as the check finds them: the readiness rules' own test.
        test::row(
            "no SIM, answered byte by byte", QStringList{"--trouble", "no-sim", "--byte-gap", "15"},
            "5", "", 1,
            QStringList{"SIM: not inserted", "Not ready: the SIM is not ready (not inserted)"});
        test::row("no answer", QStringList{"--mode", "silent"}, "5", "", 1,
                  QStringList{"Modem: no answer to AT", "Not ready: the modem does not answer"});
        test::row("threshold never reached", QStringList{}, "40000", "", 1,
                  QStringList{unreachable, "Modem: answers AT", "Not ready: " + unreachable});
    }

    void checkReports()
    {
        QFETCH(QStringList, modemOptions);
        QFETCH(QString, lengthB);
        QFETCH(QString, watches);
        QFETCH(QStringList, findings);
        test::ModemSimulator modem(*home_, modemOptions);
        const PseudoTerminal alarms(home_->linkPath(2).toStdString());
        home_->writeWorkingSettings("91234567", lengthB, watches);
        alarms.write("abc");
        const auto check = startOrva({"--check"});
        QTEST(runToEnd(*check), "status");
        const QStringList lines = check->standardOutput().split('\n', Qt::SkipEmptyParts);
        for (const QString& finding : findings)
            QVERIFY2(lines.contains(finding), qPrintable(lines.join('\n')));
        QStringList inOrder;
        for (const QString& line : lines)
            if (findings.contains(line))
                inOrder << line;
        QCOMPARE(inOrder, findings);
        QCOMPARE(lines.last(), findings.last());
        const bool silent = findings.contains("Modem: no answer to AT");
        QCOMPARE(lines.contains("Port B (alarm port): open; 3 bytes arrived in 3 s"), !silent);
        QCOMPARE(modem.transcript(), silent ? QByteArray("AT\r") : kQuestionsOfTheCheck);
        QVERIFY(home_->logBytes().isEmpty());
        QVERIFY(modem.accepted().isEmpty()); // no SMS
    }

    // A modem that goes away in the middle of the check leaves what was found before it said.
    void checkKeepsWhatItFoundWhenTheModemGoes()
    {
        test::ModemSimulator modem(*home_, {"--byte-gap", "100"});
        home_->writeWorkingSettings();
        const auto check = startOrva({"--check"});
        QTRY_VERIFY_WITH_TIMEOUT(modem.transcript().contains("AT+CPIN?"), 10000);
        modem.unplug();
        QCOMPARE(runToEnd(*check), 1);
        const QStringList lines = check->standardOutput().split('\n', Qt::SkipEmptyParts);
        const qsizetype answered = lines.indexOf("Modem: answers AT");
        QVERIFY2(answered >= 0 && answered + 1 < lines.size(), qPrintable(lines.join('\n')));
        QVERIFY(lines.at(answered + 1).startsWith("Port A (SMS modem) ("));
        QVERIFY(lines.at(answered + 1).contains("the device failed"));
        QVERIFY(lines.last().startsWith("Not ready: Port A (SMS modem) ("));
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
            QFile::setPermissions(settingsPath(),
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

    // A second ORVA, or any program, holding the modem: the start-up failure says so.
    void modemHeldByAnotherProgram()
    {
        startOnDevices();
        const auto second = startOrva();
        QVERIFY(second->waitForError("start-up failed: "));
        QVERIFY(second->waitForError(QString("%1 is in use by another program")
                                         .arg(QFileInfo(home_->linkPath(1)).canonicalFilePath())));
        QCOMPARE(second->terminate(), 1);
        QVERIFY(logged("Start up Com port error, Program Exit"));
        assertStillRunning();
    }

    // Asked to end in the middle of a burst, ORVA ends within seconds and every live alarm of
    // the burst has its entry.
    // Told to end, or ended by Qt when the display connection breaks, with alarms in hand: each
    // is logged as not sent, then the exit; Qt's end asks for a restart by its status.
    void stoppedInTheMiddleOfABurst_data()
    {
        QTest::addColumn<bool>("inATransaction");
        QTest::addColumn<bool>("displayLost");
        test::row("while the burst settles", false, false);
        test::row("while a confirmation is late", true, false);
        test::row("display lost while the burst settles", false, true);
    }

    void stoppedInTheMiddleOfABurst()
    {
        QFETCH(bool, inATransaction);
        QFETCH(bool, displayLost);
        const QString display = ":" + QString::number(50 + ::getpid() % 50);
        std::optional<test::Process> xserver;
        if (displayLost) {
            xserver.emplace("Xvfb", QStringList{display, "-nolisten", "tcp"});
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists("/tmp/.X11-unix/X" + display.mid(1)), 10000);
        }
        startOnDevices(
            inATransaction ? QStringList{"--mode", "no-confirm"} : QStringList{},
            {{"DISPLAY", display}, {"QT_QPA_PLATFORM", displayLost ? "xcb" : "offscreen"}});
        devices_->sendBurst(".ONE\r.TWO\rplain\r.THREE\r");
        if (inATransaction) { // 2.5 s after the body the fixed wait ends and the grace begins
            QTRY_VERIFY_WITH_TIMEOUT(devices_->modem.transcript().contains(".ONE\x1a"), 20000);
            QTest::qWait(3000);
        } else {
            QTest::qWait(3000);
        }
        QElapsedTimer sinceRequest;
        sinceRequest.start();
        displayLost ? xserver->signal(SIGKILL) : orva_->signal(SIGTERM);
        QVERIFY(orva_->process().waitForFinished(10000));
        QVERIFY2(sinceRequest.elapsed() < 10000, "ended too late");
        QCOMPARE(orva_->process().exitCode(), displayLost ? 1 : 0);
        const QString notSent = inATransaction ? "Modem Error (no confirmation), SMS not sent: "
                                               : "ORVA Stopped, SMS not sent: ";
        const QStringList expected{"SMS Program Started", notSent + ".ONE " + kNumber,
                                   "ORVA Stopped, SMS not sent: .TWO " + kNumber,
                                   "ORVA Stopped, SMS not sent: .THREE " + kNumber,
                                   "SMS Program Exit"};
        QCOMPARE(home_->logTexts(), expected);
        QCOMPARE(devices_->modem.transcript().count("AT+CMGS"), inATransaction ? 1 : 0);
        orva_.reset();
    }

    // A journal that takes nothing holds up neither the log, nor an alarm, nor the service
    // manager; what it missed is told once it takes entries again. ORVA runs where the
    // journal's socket is one the test never reads.
    void stalledJournalHoldsNothing()
    {
        QTemporaryDir journalFolder;
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray socketPath = QFile::encodeName(journalFolder.path() + "/socket");
        std::memcpy(address.sun_path, socketPath.constData(), socketPath.size());
        const auto* where = reinterpret_cast<const sockaddr*>(&address);
        const int journal = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        QVERIFY(::bind(journal, where, sizeof address) == 0);
        while (::sendto(journal, "x", 1, 0, where, sizeof address) == 1) {
        } // full, as when journald stops reading
        test::NotifySocket manager;
        devices_ = std::make_unique<test::SimulatedDevices>(*home_);
        const QString mountJournal = "mount -t tmpfs tmpfs /run && mkdir -p /run/systemd/journal "
                                     "&& mount --bind \"$1\" /run/systemd/journal && exec \"$2\"";
        orva_ = std::make_unique<test::Process>(
            "unshare",
            QStringList{"--mount", "sh", "-c", mountJournal, "sh", journalFolder.path(),
                        test::binary("orva")},
            home_->path(), QMap<QString, QString>{{"NOTIFY_SOCKET", manager.path()}});
        if (orva_->process().waitForFinished(1000) && orva_->standardError().contains("unshare"))
            QSKIP("no mount namespace for the journal's socket here");
        QVERIFY(manager.waitFor("READY=1", std::chrono::seconds(10)));
        sendAlarm(".ONE");
        QTRY_VERIFY_WITH_TIMEOUT(logged(".ONE " + kNumber), 20000);
        QVERIFY(modemReceived(".ONE"));
        char datagram[4096];
        while (::recv(journal, datagram, sizeof datagram, 0) > 0) {
        } // the journal reads again
        QCOMPARE(orva_->terminate(), 0);
        QCOMPARE(home_->logTexts(),
                 (QStringList{"SMS Program Started", ".ONE " + kNumber,
                              "Journal Error: 2 entries not taken by the system journal",
                              "SMS Program Exit"}));
        const auto taken = ::recv(journal, datagram, sizeof datagram, 0);
        QVERIFY(QByteArray(datagram, std::max<int>(int(taken), 0))
                    .endsWith("SYSLOG_IDENTIFIER=orva\nMESSAGE\n" +
                              QByteArray("\x10\0\0\0\0\0\0\0", 8) + "SMS Program Exit\n"));
        ::close(journal);
        orva_.reset();
    }

    // settings.ini is read only as a regular file: anything else is refused at start-up without
    // blocking it. The log's refusal: the start-up's test.
    void filesThatAreNoFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("cause");
        const QString notAFile = "cannot open the settings file %settings: it is %1, not a regular "
                                 "file";
        const QString tooLarge = "the settings file %settings holds more than 1048576 bytes";
        test::row("settings a FIFO without a writer", "fifo", notAFile.arg("a FIFO"));
        test::row("settings a link to /dev/zero", "/dev/zero", notAFile.arg("a character device"));
        test::row("settings a link to /dev/urandom", "/dev/urandom",
                  notAFile.arg("a character device"));
        test::row("settings a folder", "folder", notAFile.arg("a directory"));
        test::row("settings of 2 GiB, all of it a hole", "sparse", tooLarge);
        test::row("settings a link to a file that never ends", "/proc/self/pagemap", tooLarge);
    }

    void filesThatAreNoFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, cause);
        const PseudoTerminal modem(home_->linkPath(1).toStdString());
        const PseudoTerminal alarms(home_->linkPath(2).toStdString());
        home_->writeWorkingSettings();
        const QString path = settingsPath();
        if (kind != "sparse")
            QFile::remove(path);
        if (kind == "sparse") // the working settings, then a hole that takes no disk
            QVERIFY(QFile(path).resize(2LL << 30));
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(qPrintable(path), 0600), 0);
        else if (kind == "folder")
            QVERIFY(QDir().mkdir(path));
        else
            QVERIFY(QFile::link(kind, path));
        const auto orva = startOrva();
        QVERIFY2(orva->waitForError("start-up failed: " + cause.replace("%settings", path)),
                 qPrintable(orva->standardError()));
        QCOMPARE(orva->terminate(), 1); // the message box waited; the signal is its OK
    }
};

QTEST_GUILESS_MAIN(OrvaBinaryTest)
#include "tst_orva_binary.moc"
