#include "support/ChildProcess.h"
#include "support/ProcessFigures.h"
#include "support/RunningProgram.h"

#include <QDir>
#include <QtTest>
#include <memory>
#include <random>

using namespace orva;

namespace {

const QString kNumber = "91234567";

} // namespace

// The faults an unattended notifier meets, survived by the real program at real timing.
class FaultsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<test::SimulatedDevices> devices_;
    std::unique_ptr<test::Process> orva_;

    void sendAlarm(const QString& alarm) const { devices_->sendBurst(alarm + "\r"); }
    bool modemReceived(const QString& alarm) { return devices_->modem.accepted(kNumber, alarm); }
    bool logged(const QString& text) const { return home_->logTexts().contains(text); }
    QString pid() const { return QString::number(orva_->process().processId()); }
    void assertStillRunning() { QCOMPARE(orva_->process().state(), QProcess::Running); }

private slots:
    void init()
    {
        home_ = std::make_unique<test::TestHome>();
        devices_ = std::make_unique<test::SimulatedDevices>(*home_, "1",
                                                            QStringList{"--reply-delay", "100"});
        orva_ = std::make_unique<test::Process>(test::binary("orva"), QStringList{}, home_->path());
        QTRY_VERIFY_WITH_TIMEOUT(logged("SMS Program Started"), 10000);
    }

    void cleanup()
    {
        if (orva_)
            QCOMPARE(orva_->terminate(), 0);
        orva_.reset();
        devices_.reset();
        home_.reset();
    }

    void modemUnpluggedAndBack()
    {
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
        devices_->unplugAlarms();
        QTest::qWait(2500); // a few scans find the line gone
        devices_->plugInAlarms();
        sendAlarm(".AFTER RETURN");
        QTRY_VERIFY_WITH_TIMEOUT(modemReceived(".AFTER RETURN"), 30000);
        assertStillRunning();
    }

    void dataFolderDisappearsAndReturns()
    {
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

QTEST_GUILESS_MAIN(FaultsTest)
#include "tst_faults.moc"
