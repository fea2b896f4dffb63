#include "alarm/Burst.h"
#include "alarm/ScanCycle.h"
#include "alarm/SettleWait.h"
#include "app/Timing.h"
#include "common/Failure.h"
#include "config/SettingsStore.h"
#include "support/LineOnPty.h"
#include "support/ModemRig.h"
#include "support/ProcessFigures.h"
#include "support/Row.h"
#include "windows/MainWindow.h"

#include <QLineEdit>
#include <QtTest>
#include <memory>

using namespace orva;
using namespace std::chrono_literals;

namespace {

const QString kNumber = "91234567";

// A 79-character record: marker in column 1, point name, state word in columns 63 to 65.
QString record(const QString& marker, const QString& point, const QString& state = "   ")
{
    return (marker + point).leftJustified(62, u' ') + state + QString(14, u' ');
}

} // namespace

// The cycle on a real alarm line, window and modem; the rules it applies are tested on their
// own with the bursts.
class ScanCycleTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<test::LineOnPty> portB_;
    std::unique_ptr<test::ModemRig> rig_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<ScanCycle> cycle_;
    SettingsStore settings_;
    QStringList attempted_;
    QStringList reported_;
    int failingAttempt_ = -1;

    // A cycle on port B with the given settle wait, scanning at the program's period.
    void makeCycle(std::chrono::milliseconds settleWait)
    {
        cycle_ = std::make_unique<ScanCycle>(
            portB_->line(), settings_, *window_, [this](const QString& line) { send(line); },
            [this](const Event& event) {
                reported_ << event.entry;
                return Recorded{};
            },
            ScanCycle::Waits{Timing{}.scanPeriod, settleWait});
    }

    // Short, yet long enough for a busy machine to echo within the 3 units of the first wait: a
    // silent modem would leave a burst without its SMS.
    void useFastModem()
    {
        rig_.reset(); // one simulator at a time on COM1
        rig_ = std::make_unique<test::ModemRig>(*home_, QStringList{}, 20ms);
    }

    void send(const QString& line)
    {
        attempted_ << line;
        if (attempted_.size() == failingAttempt_)
            throw Failure("port A: the device failed");
        rig_->modem.send(kNumber, line);
    }

    // The test runs the cycle itself: no tick may take a burst half come in.
    void burst(const QString& text)
    {
        cycle_->stop();
        portB_->receive(text.toLatin1());
    }

    QStringList sentTexts()
    {
        QStringList texts;
        for (const QString& sms : rig_->simulator.accepted())
            texts << sms.section(u'\t', 1);
        return texts;
    }

    bool scanning() const { return cycle_->timer().isActive(); }

private slots:
    void init()
    {
        home_ = std::make_unique<test::TestHome>();
        portB_ = std::make_unique<test::LineOnPty>(*home_, 2, "port B");
        rig_ = std::make_unique<test::ModemRig>(*home_);
        window_ = std::make_unique<MainWindow>();
        settings_ = SettingsStore();
        settings_.setText(kSlotB, Field::Length, "5");
        attempted_.clear();
        reported_.clear();
        failingAttempt_ = -1;
        makeCycle(100ms);
    }

    void cleanup()
    {
        cycle_.reset();
        window_.reset();
        rig_.reset();
        portB_.reset();
        home_.reset();
    }

    // When a burst is read: see the bursts' own test. What waits below the threshold stays on
    // the port, shows nothing, and is read with what comes after it; an empty burst taken empties
    // the status line.
    void threshold_data()
    {
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<QStringList>("bursts");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("leftWaiting");
        test::row("below", "12abc", QStringList{"12345678901"}, QStringList{"0", "0"}, 11);
        test::row("reached", "12abc", QStringList{"12345678901", "2"},
                  QStringList{"123456789012", "0"}, 0);
        test::row("without a number, every tick", "", QStringList{""}, QStringList{"", "0"}, 0);
        test::row("beyond any number, never", "1E999", QStringList{".ALARM\r"},
                  QStringList{"0", "0"}, 7);
        test::row("letter, then CR LF", "3", QStringList{"A\r\n"}, QStringList{"A", " "}, 0);
    }

    void threshold()
    {
        QFETCH(QString, threshold);
        QFETCH(QStringList, bursts);
        QFETCH(QStringList, shown);
        settings_.setText(kSlotB, Field::Length, threshold);
        for (const QString& text : bursts) {
            burst(text);
            cycle_->run();
        }
        QCOMPARE((QStringList{window_->line(0), window_->line(1)}), shown);
        for (int box = 2; box < AlarmDisplay::kBoxCount; ++box)
            QCOMPARE(window_->line(box), "0");
        QCOMPARE(int(cycle_->waitingCount()), int(bursts.join("").size()));
        QTEST(portB_->line().reopenAndCountWaiting(), "leftWaiting");
        QVERIFY(attempted_.isEmpty());
        QVERIFY(scanning());
    }

    void showsAndSendsInBurstOrder()
    {
        const QString first = record(".", "ZONE 1 FIRE");
        const QString normal = record(".", "ZONE 1 FIRE", "OK ");
        const QString second = record(".", "ZONE 2 SMOKE");
        burst(first + "\r\n" + normal + "\r\nplain text\r\n" + second);
        cycle_->run();
        QCOMPARE(window_->line(0), first);
        QCOMPARE(window_->line(1), " " + normal);
        QCOMPARE(window_->line(2), " plain text");
        QCOMPARE(window_->line(3), " " + second);
        QCOMPARE(window_->line(4), "0"); // beyond the burst: kept
        QCOMPARE(attempted_, (QStringList{first, " " + second}));
        QTRY_COMPARE(sentTexts(), (QStringList{first, " " + second}));
        const QByteArray commands = "at+cmgf = 1\rAT+CMGS=\"91234567\"\r";
        QCOMPARE(rig_->simulator.transcript(), commands + first.toLatin1() + '\x1a' + commands +
                                                   ' ' + second.toLatin1() + '\x1a');
        QCOMPARE(home_->logTexts(),
                 (QStringList{first + " " + kNumber, " " + second + " " + kNumber}));
        QCOMPARE(rig_->status, " " + second + " " + kNumber);
        QVERIFY(scanning());
    }

    void linesBeyondTheBoxesAreSentToo()
    {
        useFastModem(); // fifteen transactions, whose outcome is not the point here
        QStringList records;
        for (int i = 0; i < 30; ++i)
            records << (i % 2 == 0 ? "." : "-") + QString("POINT %1").arg(i);
        burst(records.join(u'\r'));
        cycle_->run();
        for (int box = 0; box < AlarmDisplay::kBoxCount; ++box)
            QCOMPARE(window_->line(box), records[box]);
        QCOMPARE(attempted_, records.filter(QRegularExpression("^\\.")));
        QCOMPARE(attempted_.size(), 15);
        QCOMPARE(attempted_.last(), ".POINT 28");
    }

    void failingSendSkipsThatLineOnly()
    {
        failingAttempt_ = 1;
        burst(".FIRST\r.SECOND");
        cycle_->run();
        QCOMPARE(attempted_, (QStringList{".FIRST", ".SECOND"}));
        QTRY_COMPARE(sentTexts(), QStringList{".SECOND"});
        QVERIFY(scanning());
    }

    void countBeyond16BitsIsClamped()
    {
        burst(QString(40000, u'x') + "\r.AFTER FLOOD");
        cycle_->run();
        QCOMPARE(cycle_->waitingCount(), 32767);
        QCOMPARE(window_->line(0).size(), 40000); // a record is shown whole, as it is sent
        QCOMPARE(window_->line(1), ".AFTER FLOOD");
        QCOMPARE(attempted_, QStringList{".AFTER FLOOD"});
    }

    void lostAlarmPortKeepsScanning()
    {
        burst(".LAST");
        portB_->unplug();
        QTRY_VERIFY(!portB_->line().isOpen());
        cycle_->run(); // what came before the loss is still read
        QCOMPARE(attempted_, QStringList{".LAST"});
        settings_.setText(kSlotB, Field::Length, "0");
        cycle_->run(); // every step fails now: the cycle goes on all the same
        QCOMPARE(window_->line(0), "");
        QVERIFY(scanning());
        cycle_->run();
        QCOMPARE(reported_.size(), 1); // once, not at every scan
        const QString port = "port B (" + home_->linkPath(2) + ")";
        QVERIFY2(reported_[0].startsWith("Port Error: " + port + ": "), qPrintable(reported_[0]));

        portB_->plugIn();
        cycle_->run();
        cycle_->run();
        QCOMPARE(reported_, (QStringList{reported_[0], "Port Restored: " + port}));
    }

    // A keep-alive below the threshold waits when the adapter is replugged: the port is
    // noticed all the same, and the keep-alive comes in front of the next burst.
    void replugWithAKeepAliveWaiting()
    {
        burst("k\r");
        cycle_->run();
        QCOMPARE(window_->line(0), "0");
        cycle_->stop(); // the test runs every cycle itself
        portB_->unplug();
        QTRY_VERIFY(!portB_->line().isOpen());
        cycle_->run();
        QCOMPARE(reported_.size(), 1);
        QVERIFY2(reported_[0].startsWith("Port Error: port B ("), qPrintable(reported_[0]));
        QCOMPARE(cycle_->waitingCount(), 2);
        portB_->plugIn();
        cycle_->run();
        QCOMPARE(reported_.last(), "Port Restored: port B (" + home_->linkPath(2) + ")");
        burst(".ALARM\r");
        cycle_->run();
        QCOMPARE(window_->line(0), "k");
        QCOMPARE(window_->line(1), ".ALARM");
        QCOMPARE(attempted_, QStringList{".ALARM"});
    }

    // A loss is logged even when the adapter is back before the scan looks again, or goes while
    // a burst settles and what it received before is still read.
    void lossBetweenTwoLooksIsLogged()
    {
        cycle_->stop();
        portB_->unplug();
        QTRY_VERIFY(!portB_->line().isOpen());
        portB_->plugIn();
        cycle_->run();
        const QString port = "port B (" + home_->linkPath(2) + ")";
        QCOMPARE(reported_.size(), 2);
        QVERIFY2(reported_[0].startsWith("Port Error: " + port + ": the device failed ("),
                 qPrintable(reported_[0]));
        QCOMPARE(reported_[1], "Port Restored: " + port);
        burst(".SETTLING\r");
        QTimer::singleShot(20, this, [this] { portB_->unplug(); }); // within the settle wait
        cycle_->run();
        QCOMPARE(attempted_, QStringList{".SETTLING"});
        QCOMPARE(reported_.size(), 3);
        QVERIFY2(reported_[2].startsWith("Port Error: " + port), qPrintable(reported_[2]));
    }

    // A burst that came in whole just before the adapter went is still read and sent.
    void burstBeforeTheLossIsSent()
    {
        burst(".LOST LATE\r"); // after the last look, before the loss
        portB_->unplug();
        QTRY_VERIFY(!portB_->line().isOpen());
        cycle_->run();
        QCOMPARE(attempted_, QStringList{".LOST LATE"});
        QCOMPARE(reported_.size(), 1); // the loss, and no return: the port is still gone
    }

    void everyByteValue()
    {
        QString bytes;
        for (int round = 0; round < 8; ++round)
            for (int b = 0; b < 256; ++b)
                bytes.append(QChar(b));
        settings_.setText(kSlotB, Field::Length, "1");
        burst(bytes);
        cycle_->run();
        const QStringList lines = splitBurst(unfoldLineFeeds(bytes));
        for (int box = 0; box < AlarmDisplay::kBoxCount; ++box)
            QCOMPARE(window_->line(box), box < lines.size() ? lines[box] : QString("0"));
        QVERIFY(scanning());
    }

    // Many bursts in one run: memory must not creep.
    void twoHundredBursts()
    {
        useFastModem();
        settings_.setText(kSlotB, Field::Length, "1");
        makeCycle(5ms);

        qint64 afterTwenty = 0;
        for (int n = 1; n <= 200; ++n) {
            burst(QString(".ALARM %1\r\n").arg(n) + QString("PLAIN LINE\r\n").repeated(20));
            cycle_->run();
            QCOMPARE(window_->line(0), QString(".ALARM %1").arg(n));
            if (n == 20)
                afterTwenty = test::residentKiB();
        }
        const qint64 atEnd = test::residentKiB();
        qInfo("resident memory: %lld KiB after 20 bursts, %lld KiB after 200", afterTwenty, atEnd);
        QVERIFY2(atEnd <= afterTwenty * 11 / 10, "memory grows with every burst");
        QTRY_COMPARE(rig_->simulator.accepted().size(), 200);
    }

    void settleWaitLetsEventsRunWithoutSpinning()
    {
        bool ran = false;
        QTimer::singleShot(50, [&] { ran = true; });
        const double before = test::processorSeconds();
        QElapsedTimer elapsed;
        elapsed.start();
        waitWhileSettling(1s);
        QVERIFY(elapsed.elapsed() >= 1000);
        QVERIFY(ran);
        QVERIFY2(test::processorSeconds() - before < 0.1, "the settle wait spins");
    }
};

QTEST_MAIN(ScanCycleTest)
#include "tst_scancycle.moc"
