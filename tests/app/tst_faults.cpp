#include "pty/PseudoTerminal.h"
#include "support/ChildProcess.h"
#include "support/ProcessFigures.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <memory>
#include <random>

using namespace orva;
using tools::PseudoTerminal;

namespace {

const QString kNumber = "91234567";

} // namespace

// The faults an unattended notifier meets, survived by the real program at real timing.
class FaultsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<PseudoTerminal> alarms_;
    std::unique_ptr<test::Process> modem_;
    std::unique_ptr<test::Process> orva_;

    void startModem()
    {
        modem_ = std::make_unique<test::Process>(test::binary("orva-modem-simulator"),
                                                 test::modemArguments(home_->linkPath(1))
                                                     << "--reply-delay"
                                                     << "100");
        QVERIFY(modem_->waitForError("ready"));
    }

    void sendAlarm(const QString& alarm) const { alarms_->write((alarm + "\r").toStdString()); }

    // Waits for the modem to take the alarm as an SMS to the configured number.
    bool modemReceives(const QString& alarm, int timeoutMs = 30000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!modem_->standardOutput().contains(kNumber + "\t" + alarm + "\n")) {
            if (deadline.hasExpired())
                return false;
            QTest::qWait(100);
        }
        return true;
    }

    bool logged(const QString& text, int timeoutMs = 30000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!home_->logTexts().contains(text)) {
            if (deadline.hasExpired())
                return false;
            QTest::qWait(100);
        }
        return true;
    }

    void assertStillRunning() { QCOMPARE(orva_->process().state(), QProcess::Running); }

private slots:
    void init()
    {
        home_ = std::make_unique<test::TestHome>();
        home_->writeWorkingSettings(kNumber, "1");
        alarms_ = std::make_unique<PseudoTerminal>(home_->linkPath(2).toStdString());
        startModem();
        orva_ = std::make_unique<test::Process>(test::binary("orva"), QStringList{}, home_->path());
        QVERIFY(logged("SMS Program Started", 10000));
    }

    void cleanup()
    {
        if (orva_)
            QCOMPARE(orva_->terminate(), 0);
        orva_.reset();
        modem_.reset();
        alarms_.reset();
        home_.reset();
    }

    void modemUnpluggedAndBack()
    {
        modem_.reset(); // its link disappears with it
        const QString pid = QString::number(orva_->process().processId());
        const double before = test::processorSeconds(pid);
        sendAlarm(".WHILE AWAY");
        QVERIFY(logged("Port Error, SMS not sent: .WHILE AWAY " + kNumber));
        QTest::qWait(2000);
        const double used = test::processorSeconds(pid) - before;
        QVERIFY2(used < 1.0, qPrintable(QString("%1 s of processor time").arg(used)));
        startModem(); // plugged in again
        sendAlarm(".AFTER RETURN");
        QVERIFY(modemReceives(".AFTER RETURN"));
        assertStillRunning();
    }

    void alarmSourceUnpluggedAndBack()
    {
        alarms_.reset();
        QTest::qWait(2500); // a few scans find the line gone
        alarms_ = std::make_unique<PseudoTerminal>(home_->linkPath(2).toStdString());
        sendAlarm(".AFTER RETURN");
        QVERIFY(modemReceives(".AFTER RETURN"));
        assertStillRunning();
    }

    void dataFolderDisappearsAndReturns()
    {
        QDir home(home_->path());
        QVERIFY(home.rename("ORVA", "ORVA.away")); // the open lines stay open
        sendAlarm(".WITHOUT LOG");
        QVERIFY(modemReceives(".WITHOUT LOG")); // sent; only its entry is lost
        QTest::qWait(4000);                     // the transaction ends
        assertStillRunning();
        QVERIFY(home.rename("ORVA.away", "ORVA"));
        sendAlarm(".WITH LOG");
        QVERIFY(logged(".WITH LOG " + kNumber));
        QVERIFY(!home_->logTexts().contains(".WITHOUT LOG " + kNumber));
        QVERIFY(orva_->standardError().contains(QRegularExpression(
            "ORVA: not logged: \\d{8} \\d\\d:\\d\\d:\\d\\d \\.WITHOUT LOG " + kNumber)));
    }

    void floodThenAlarm()
    {
        const QString pid = QString::number(orva_->process().processId());
        const qint64 before = test::residentKiB(pid);
        std::mt19937 random(20261207);
        std::string flood(64 * 1024, '\0');
        for (char& byte : flood)
            byte = static_cast<char>(random() & 0xff);
        alarms_->write(flood);
        QTest::qWait(12000); // the flood settles and is read as one burst
        sendAlarm(".AFTER FLOOD");
        QVERIFY(modemReceives(".AFTER FLOOD", 90000));
        const qint64 grown = test::residentKiB(pid) - before;
        QVERIFY2(grown < 50 * 1024, qPrintable(QString("grew by %1 KiB").arg(grown)));
        assertStillRunning();
    }
};

QTEST_GUILESS_MAIN(FaultsTest)
#include "tst_faults.moc"
