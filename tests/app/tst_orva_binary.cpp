#include "eventlog/EventLog.h"
#include "pty/PseudoTerminal.h"
#include "support/ChildProcess.h"
#include "support/TestHome.h"

#include <QtTest>
#include <csignal>
#include <memory>

using namespace orva;
using tools::PseudoTerminal;

// The real program, run as the operator runs it, in a temporary home.
class OrvaBinaryTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;

    std::unique_ptr<test::Process> startOrva()
    {
        return std::make_unique<test::Process>(test::binary("orva"), QStringList{}, home_->path());
    }

private slots:
    void init() { home_ = std::make_unique<test::TestHome>(); }
    void cleanup() { home_.reset(); }

    void startsAndEndsOnSignal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
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
        test::Process modem(test::binary("orva-modem-simulator"),
                            test::modemArguments(home_->linkPath(1)));
        test::Process source(
            test::binary("orva-alarm-simulator"),
            {"--link", home_->linkPath(2), "--crlf", "--wait", alarm, normal, "Printer paper low"});
        QVERIFY(modem.waitForError("ready") && source.waitForError("ready"));
        home_->writeWorkingSettings("91234567", "10");
        const auto orva = startOrva();
        QTRY_COMPARE_WITH_TIMEOUT(home_->logTexts().size(), 1, 10000);
        QElapsedTimer sinceBurst;
        source.signal(SIGUSR1);
        sinceBurst.start();
        QTRY_VERIFY_WITH_TIMEOUT(!modem.standardOutput().isEmpty(), 30000);
        QVERIFY2(sinceBurst.elapsed() > 9500, "sent before the burst had settled");
        QCOMPARE(modem.standardOutput(), "91234567\t" + alarm + "\n");
        QTRY_COMPARE(home_->logTexts().size(), 2);
        QCOMPARE(home_->logTexts().at(1), alarm + " 91234567");
        QTest::qWait(2000);
        QCOMPARE(modem.standardOutput().count('\n'), 1); // the normal and plain lines are not sent
        QCOMPARE(orva->terminate(), 0);
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
};

QTEST_GUILESS_MAIN(OrvaBinaryTest)
#include "tst_orva_binary.moc"
