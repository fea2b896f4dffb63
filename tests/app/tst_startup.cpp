#include "app/Orva.h"
#include "pty/PseudoTerminal.h"
#include "serial/SerialLine.h"
#include "support/ModalAnswer.h"
#include "support/NotifySocket.h"
#include "support/Row.h"
#include "support/TestHome.h"
#include "system/ServiceManager.h"

#include <QDir>
#include <QtTest>
#include <memory>
#include <optional>

using namespace orva;
using tools::PseudoTerminal;

namespace {

const QString kFailureText = "Comm port error, Program exit";
const QString kFailureEntry = "Start up Com port error, Program Exit";

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<PseudoTerminal> modem_;
    std::unique_ptr<PseudoTerminal> alarms_;
    std::optional<int> exitStatus_;
    std::unique_ptr<Orva> program_;

    // Starts the program on the data folder as the test left it; ending it is only noted.
    Orva& start(Timing timing = {})
    {
        program_ = std::make_unique<Orva>([this](int status) { exitStatus_ = status; }, timing);
        program_->startUp();
        return *program_;
    }

private slots:
    // Both ports are there; a test that wants them missing says so in settings.ini.
    void init()
    {
        home_ = std::make_unique<test::TestHome>();
        modem_ = std::make_unique<PseudoTerminal>(home_->linkPath(1).toStdString());
        alarms_ = std::make_unique<PseudoTerminal>(home_->linkPath(2).toStdString());
        exitStatus_.reset();
    }

    void cleanup()
    {
        program_.reset();
        modem_.reset();
        alarms_.reset();
        home_.reset();
    }

    void startsAndEnds()
    {
        home_->writeWorkingSettings(" 91234567");
        Orva& program = start();
        QVERIFY(!exitStatus_);
        QVERIFY(program.modemLine().isOpen());
        QVERIFY(program.alarmLine().isOpen());
        QCOMPARE(program.outgoingSms().number, " 91234567");
        QCOMPARE(program.mainWindow().line(0), "SMS Program Started");
        QVERIFY(program.scan().timer().isActive());
        QCOMPARE(program.scan().timer().objectName(), "Timer1");
        QCOMPARE(program.scan().timer().interval(), 1017);
        QCOMPARE(home_->logTexts(), QStringList{"SMS Program Started"});

        program.mainWindow().show();
        program.mainWindow().close();
        QCOMPARE(exitStatus_, 0);
        QCOMPARE(home_->logTexts(), (QStringList{"SMS Program Started", "SMS Program Exit"}));
        QVERIFY(!program.modemLine().isOpen()); // released with the process
    }

    void emptyHandphoneStartsNormally()
    {
        home_->writeWorkingSettings("");
        Orva& program = start();
        QVERIFY(!exitStatus_);
        QCOMPARE(program.outgoingSms().number, "");
    }

    void failures_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("cause");
        test::row("no settings file", QByteArray(), "cannot open the settings file");
        test::row("empty file", QByteArray(""), "settings.ini has no \"SETTINGS A:\" line");
        test::row("line settings still Text7",
                  QByteArray("PORT A:1\r\nPORT B:2\r\nSETTINGS B:9600,n,8,1\r\n"),
                  "settings.ini has no \"SETTINGS A:\" line");
        test::row("port COM3 reads as 0", QByteArray("PORT A:COM3\r\nSETTINGS A:9600,n,8,1\r\n"),
                  "PORT A: \"COM3\" is not a port number from 1 to 255");
        test::row("port beyond 16 bits", QByteArray("PORT A:1E10\r\nSETTINGS A:9600,n,8,1\r\n"),
                  "PORT A: \"1E10\" is not a port number from 1 to 255");
        test::row("port 256", QByteArray("PORT A:256\r\nSETTINGS A:9600,n,8,1\r\n"),
                  "PORT A: \"256\" is not a port number from 1 to 255");
        test::row("no such device", QByteArray("PORT A:200\r\nSETTINGS A:9600,n,8,1\r\n"),
                  "/dev/ttyS199");
        test::row("LF line ends run the values together",
                  QByteArray("PORT A:1\nSETTINGS A:9600,n,8,1\nPORT B:2\nSETTINGS B:9600,n,8,1\n"),
                  "line settings \"9600,n,8,1\\nPORT B:2\\n\" are not valid");
        test::row("NUL in a value", QByteArray("PORT A:1\r\nSETTINGS A:96\0 00\r\n", 29),
                  "line settings \"96\\0 00\" are not valid");
        // Never read an alarm: refused before any port is opened. Which thresholds: the bursts'
        // own test.
        test::row("threshold above any count", QByteArray("LENGTH B:40000\r\n"),
                  "LENGTH B: \"40000\" can never be reached: at most 32767 characters are counted");
        test::row("no time of day for the test message", QByteArray("TEST SMS:25:99\r\n"),
                  "TEST SMS: \"25:99\" is no time of day");
        test::row("modem checks below zero", QByteArray("MODEM CHECK:-1\r\n"),
                  "MODEM CHECK: \"-1\" is not a duration");
        test::row("link to an unplugged adapter",
                  QByteArray("PORT A:3\r\nSETTINGS A:9600,n,8,1\r\n"),
                  "/ORVA/COM3 points to /dev/orva-unplugged-adapter, which does not exist");
    }

    void failures()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, cause);
        QVERIFY(QFile::link("/dev/orva-unplugged-adapter", home_->linkPath(3)));
        if (!settings.isNull())
            home_->writeSettings(settings);
        const test::ModalAnswer answer;
        Orva& program = start();
        QCOMPARE(answer.seen().count, 1);
        QCOMPARE(answer.seen().title, "ORVA");
        QCOMPARE(answer.seen().text, kFailureText);
        QVERIFY2(answer.seen().informativeText.contains(cause),
                 qPrintable(answer.seen().informativeText));
        QCOMPARE(answer.seen().icon, QMessageBox::NoIcon);
        QCOMPARE(home_->logTexts(), QStringList{kFailureEntry});
        QCOMPARE(exitStatus_, 1);
        QVERIFY(!program.alarmLine().isOpen());
        QVERIFY(program.alarmLine().device().isEmpty()); // line B never touched
    }

    void lineBFailureLeavesLineAOpen()
    {
        home_->writeSettings("PORT A:1\r\nSETTINGS A:9600,n,8,1\r\nPORT B:201\r\n"
                             "SETTINGS B:9600,n,8,1\r\n");
        bool lineAOpen = false;
        const test::ModalAnswer answer([&] { lineAOpen = program_->modemLine().isOpen(); });
        start();
        QCOMPARE(answer.seen().text, kFailureText);
        QCOMPARE(exitStatus_, 1);
        QVERIFY(lineAOpen); // while the message waits
        QCOMPARE(home_->logTexts(), QStringList{kFailureEntry});
    }

    // What else the log cannot take: its own test.
    void unwritableLogStillEnds()
    {
        home_->writeWorkingSettings();
        const QString log = home_->dataFolder() + "/" + logFileName(QDate::currentDate());
        QVERIFY(QDir().mkdir(log)); // a folder where the log belongs
        const test::ModalAnswer answer;
        start();
        QCOMPARE(answer.seen().text, kFailureText);
        QCOMPARE(answer.seen().informativeText,
                 "cannot open the event log " + log + ": it is a directory, not a regular file");
        QCOMPARE(exitStatus_, 1);
    }

    void terminationSignalAnswersTheFailureMessage()
    {
        QTimer::singleShot(200, [this] { program_->requestTermination(); });
        start(); // no settings file
        QCOMPARE(exitStatus_, 1);
        QCOMPARE(home_->logTexts(), QStringList{kFailureEntry});
    }

    // Under a service manager nobody may be there for the message: it closes itself, and the
    // manager hears why ORVA ends. Run by hand, it waits for the operator.
    void failureMessageUnderAServiceManager_data()
    {
        QTest::addColumn<bool>("supervised");
        test::row("under a service manager", true);
        test::row("run by hand", false);
    }

    void failureMessageUnderAServiceManager()
    {
        QFETCH(bool, supervised);
        test::NotifySocket manager;
        if (supervised)
            qputenv("NOTIFY_SOCKET", manager.path().toLocal8Bit());
        QTimer operatorsOk;
        operatorsOk.callOnTimeout([this] { program_->requestTermination(); });
        operatorsOk.start(1500);
        QElapsedTimer elapsed;
        elapsed.start();
        start(Timing{.unattendedFailureWait = std::chrono::milliseconds(300)}); // no settings
        qunsetenv("NOTIFY_SOCKET");
        QCOMPARE(elapsed.elapsed() < 1000, supervised); // the OK comes at 1.5 s, 5 % early at most
        QCOMPARE(exitStatus_, 1);
        QCOMPARE(home_->logTexts(), QStringList{kFailureEntry});
        if (!supervised)
            return;
        manager.listen(std::chrono::milliseconds(100));
        QCOMPARE(manager.matching("STATUS=Comm port error, Program exit: cannot open the settings")
                     .size(),
                 1U);
        QCOMPARE(manager.matching("STOPPING=1").size(), 1U);
        QVERIFY(manager.matching("READY=1").empty());
    }

    // Any interval the service manager may ask for is served, none with a timer that overflows:
    // below 4 ms at every turn of the event loop, at most daily.
    void watchdogPings()
    {
        using namespace std::chrono;
        QCOMPARE(service::pingPeriod(microseconds(999), Timing{}.watchdogPace()), milliseconds(0));
        QCOMPARE(service::pingPeriod(minutes(1), Timing{}.watchdogPace()), seconds(15));
        QCOMPARE(service::pingPeriod(hours(2400), Timing{}.watchdogPace()), hours(24));
    }

    void terminationSignalWhileRunningShutsDown()
    {
        home_->writeWorkingSettings();
        start().requestTermination();
        QCOMPARE(exitStatus_, 0);
        QCOMPARE(home_->logTexts(), (QStringList{"SMS Program Started", "SMS Program Exit"}));
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
