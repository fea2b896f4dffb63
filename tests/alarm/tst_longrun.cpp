#include "alarm/ScanCycle.h"
#include "app/Form1.h"
#include "config/SettingsStore.h"
#include "support/LineOnPty.h"
#include "support/ModemRig.h"
#include "support/ProcessFigures.h"

#include <QtTest>

using namespace orva;
using namespace std::chrono_literals;

// Many bursts in one run: memory must not creep.
class LongRunTest : public QObject {
    Q_OBJECT

private slots:
    void twoHundredBursts()
    {
        const test::TestHome home;
        test::LineOnPty portB(home, 2, "port B");
        test::ModemRig rig(home);
        rig.modem.transaction().ModemWaitMs = 10ms;
        Form1 window;
        SettingsStore settings;
        settings.setText(kSlotB, Field::Length, "1");
        ScanCycle cycle(
            portB.line(), settings, window,
            [&](const QString& line) { rig.modem.SendSms("91234567", line); },
            [](const QString&) {});
        cycle.settleWait = 5ms;

        qint64 afterTwenty = 0;
        for (int burst = 1; burst <= 200; ++burst) {
            portB.receive(QString(".ALARM %1\r\n").arg(burst).toLatin1() +
                          QByteArray("PLAIN LINE\r\n").repeated(20));
            cycle.run();
            QCOMPARE(window.line(0), QString(".ALARM %1").arg(burst));
            if (burst == 20)
                afterTwenty = test::residentKiB();
        }
        const qint64 atEnd = test::residentKiB();
        qInfo("resident memory: %lld KiB after 20 bursts, %lld KiB after 200", afterTwenty, atEnd);
        QVERIFY2(atEnd <= afterTwenty * 11 / 10, "memory grows with every burst");
        QTRY_COMPARE(rig.simulator.accepted().size(), 200);
    }
};

QTEST_MAIN(LongRunTest)
#include "tst_longrun.moc"
