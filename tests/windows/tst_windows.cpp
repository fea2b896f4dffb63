#include "serial/SerialLine.h"
#include "support/Controls.h"
#include "support/ModalAnswer.h"
#include "support/Row.h"
#include "support/RunningProgram.h"
#include "support/TestHome.h"
#include "windows/ManualSmsWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSysInfo>
#include <QtTest>
#include <memory>

using namespace orva;

namespace {

template <typename Window> int openWindows()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += qobject_cast<Window*>(widget) != nullptr && widget->isVisible() ? 1 : 0;
    return count;
}

QStringList settingsTexts(const SettingsWindow& window)
{
    QStringList texts;
    for (int slot = 0; slot < kSlotCount; ++slot)
        for (const Field field : {Field::Port, Field::LineSettings, Field::Length})
            texts << test::control<QLineEdit>(window,
                                              test::settingsBoxName(slot, static_cast<int>(field)))
                         ->text();
    return texts;
}

const QString kConfigured = "91234567";

} // namespace

// The windows of a running program in this process, with short waits: what the buttons open and
// what the manual window sends.
class WindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<test::RunningProgram> run_;

    void start(const QString& moreSettings = {})
    {
        run_ = std::make_unique<test::RunningProgram>(*home_, moreSettings, Clock{},
                                                      test::RunningProgram::kShortScanPeriod);
        run_->mainWindow().show();
    }

    SettingsWindow& settingsWindow() { return run_->program().settingsWindow(); }
    void clickSettings()
    {
        QTest::mouseClick(test::control<QPushButton>(run_->mainWindow(), "Command1"),
                          Qt::LeftButton);
    }
    void clickManualSms()
    {
        QTest::mouseClick(test::control<QPushButton>(run_->mainWindow(), "Command2"),
                          Qt::LeftButton);
    }
    test::ModemSimulator& modem() { return run_->devices.modem; }
    void sendAlarm(const QString& alarm) { run_->devices.sendBurst(alarm + "\r"); }
    bool logged(const QString& text) const { return home_->logTexts().contains(text); }

    ManualSmsWindow& openManual()
    {
        clickManualSms();
        return *run_->program().manualSmsWindow();
    }

    void send(ManualSmsWindow& window, const QString& number, const QString& message)
    {
        test::control<QLineEdit>(window, "ManualNo")->setText(number);
        test::control<QLineEdit>(window, "ManualMsg")->setText(message);
        QTest::mouseClick(test::control<QPushButton>(window, "ManualSend"), Qt::LeftButton);
    }

private slots:
    void init()
    {
        home_ = std::make_unique<test::TestHome>();
        start();
    }

    void cleanup()
    {
        run_.reset();
        home_.reset();
    }

    void afterStartUp()
    {
        QCOMPARE(run_->mainWindow().line(0), "SMS Program Started");
        for (int box = 1; box < AlarmDisplay::kBoxCount; ++box)
            QCOMPARE(run_->mainWindow().line(box), "0");
        QVERIFY(run_->program().scan().timer().isActive()); // its name and period: start-up's test
        QVERIFY(!settingsWindow().isVisible());
    }

    void shorterBurstLeavesLaterBoxes()
    {
        run_->devices.sendBurst("a\rb\rc\rd");
        QTRY_COMPARE(run_->mainWindow().line(3), "d");
        run_->devices.sendBurst("x\ry");
        QTRY_COMPARE(run_->mainWindow().line(1), "y");
        QCOMPARE(run_->mainWindow().line(0), "x");
        QCOMPARE(run_->mainWindow().line(2), "c");
        QCOMPARE(run_->mainWindow().line(3), "d");
    }

    void manualSmsTwiceGivesOneWindow()
    {
        clickManualSms();
        ManualSmsWindow* first = run_->program().manualSmsWindow();
        QVERIFY(first != nullptr && first->isVisible());
        clickManualSms();
        QCOMPARE(run_->program().manualSmsWindow(), first);
        QCOMPARE(openWindows<ManualSmsWindow>(), 1);
    }

    void settingsBesideManualSms()
    {
        clickManualSms();
        clickSettings();
        QVERIFY(settingsWindow().isVisible());
        QVERIFY(run_->program().manualSmsWindow()->isVisible());
        QTest::keyClicks(test::control<QLineEdit>(*run_->program().manualSmsWindow(), "ManualNo"),
                         "123");
        QCOMPARE(test::control<QLineEdit>(*run_->program().manualSmsWindow(), "ManualNo")->text(),
                 "123");
        QTest::mouseClick(settingsWindow().findChild<QPushButton*>("Command4"), Qt::LeftButton);
        QVERIFY(!settingsWindow().isVisible());
        QVERIFY(run_->program().manualSmsWindow()->isVisible());
    }

    void computerNameBeforeAndAfterSettings_data()
    {
        QTest::addColumn<QString>("moreSettings");
        QTest::addColumn<QString>("beforePress");
        test::row("no key", "", "");
        test::row("key in the file", "SETTINGS C:from file\r\n", "from file");
    }

    void computerNameBeforeAndAfterSettings()
    {
        QFETCH(QString, moreSettings);
        run_.reset();
        start(moreSettings);
        QLineEdit* slotC = test::control<QLineEdit>(settingsWindow(), "Text7(2)");
        QTEST(slotC->text(), "beforePress");
        clickSettings();
        QVERIFY(settingsWindow().isVisible());
        QCOMPARE(slotC->text(), QSysInfo::machineHostName());
    }

    void secondPressKeepsOneWindowAndShowsTheNameAgain()
    {
        clickSettings();
        QLineEdit* slotC = test::control<QLineEdit>(settingsWindow(), "Text7(2)");
        slotC->setText("overwritten");
        clickSettings();
        QCOMPARE(openWindows<SettingsWindow>(), 1);
        QCOMPARE(slotC->text(), QSysInfo::machineHostName());
    }

    void closeThenSettingsShowsTheSameTexts()
    {
        clickSettings();
        const QStringList shown = settingsTexts(settingsWindow());
        QCOMPARE(shown.at(0), "1");
        QCOMPARE(shown.at(6), "91234567");
        QTest::mouseClick(settingsWindow().findChild<QPushButton*>("Command4"), Qt::LeftButton);
        QVERIFY(!settingsWindow().isVisible());
        clickSettings();
        QCOMPARE(settingsTexts(settingsWindow()), shown);
    }

    void buttonsWithoutActionDoNothing()
    {
        clickSettings();
        for (const char* name : {"Command1", "Command2", "Command3"})
            QTest::mouseClick(settingsWindow().findChild<QPushButton*>(name), Qt::LeftButton);
        QVERIFY(settingsWindow().isVisible());
        QVERIFY(!run_->exitStatus());
    }

    void closingTheMainWindowEndsWithoutTheManualClose()
    {
        clickManualSms();
        run_->mainWindow().close();
        QCOMPARE(run_->exitStatus(), 0);
        QCOMPARE(home_->logTexts(), (QStringList{"SMS Program Started", "SMS Program Exit"}));
    }

    void accepted_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("message");
        // Which numbers pass: the rules' own test. One goes as it was typed.
        test::row("exponent form", "1.5E7", "x");
        test::row("empty message", "12345678", "");
    }

    void accepted()
    {
        QFETCH(QString, number);
        QFETCH(QString, message);
        ManualSmsWindow& window = openManual();
        send(window, number, message);
        QTRY_COMPARE(modem().transcript(), "at+cmgf = 1\rAT+CMGS=\"" + number.toLatin1() + "\"\r" +
                                               message.toLatin1() + '\x1a');
        QCOMPARE(run_->mainWindow().line(0), message + " " + number);
        QCOMPARE(home_->logTexts().last(), message + " " + number);
        QCOMPARE(run_->program().outgoingSms().number, number);
        QCOMPARE(test::control<QLineEdit>(window, "ManualNo")->text(),
                 number); // ready for another send
        QCOMPARE(test::control<QLineEdit>(window, "ManualMsg")->text(), message);
    }

    // A number that does not pass (which: the rules' own test) is answered with a box, and
    // leaves the number in force, here one typed before, for the alarms.
    void rejected()
    {
        ManualSmsWindow& window = openManual();
        send(window, "22223333", "manual");
        QTRY_COMPARE(modem().accepted().size(), 1);
        const QByteArray written = modem().transcript();
        {
            const test::ModalAnswer answer;
            send(window, "1234567", "hello");
            QTRY_COMPARE(answer.seen().count, 1);
            QCOMPARE(answer.seen().title, "ORVA");
            QCOMPARE(answer.seen().text, "Pager No. Must Be 8 Digits.");
            QCOMPARE(answer.seen().icon, QMessageBox::Warning);
        }
        QTest::qWait(200);
        QCOMPARE(modem().transcript(), written);
        QVERIFY(window.isVisible());
        QCOMPARE(test::control<QLineEdit>(window, "ManualNo")->text(), "1234567");
        QCOMPARE(test::control<QLineEdit>(window, "ManualMsg")->text(), "hello");
        QCOMPARE(run_->program().outgoingSms().number, "22223333");
        run_->devices.sendBurst(".ALARM ONE");
        QTRY_VERIFY(modem().accepted("22223333", ".ALARM ONE"));
    }

    void alarmsFollowAnAcceptedNumberUntilClosed_data()
    {
        QTest::addColumn<bool>("byCloseBox");
        test::row("Cancel", false);
        test::row("close box", true);
    }

    void alarmsFollowAnAcceptedNumberUntilClosed()
    {
        QFETCH(bool, byCloseBox);
        ManualSmsWindow& window = openManual();
        send(window, "22223333", "manual");
        QTRY_COMPARE(modem().accepted().size(), 1);
        run_->devices.sendBurst(".ALARM ONE");
        QTRY_VERIFY(modem().accepted("22223333", ".ALARM ONE"));
        if (byCloseBox)
            window.close();
        else
            QTest::mouseClick(test::control<QPushButton>(window, "ManualCancel"), Qt::LeftButton);
        QTRY_VERIFY(run_->program().manualSmsWindow() == nullptr); // discarded
        run_->devices.sendBurst(".ALARM TWO");
        QTRY_VERIFY(modem().accepted(kConfigured, ".ALARM TWO"));
        QVERIFY(test::control<QLineEdit>(openManual(), "ManualNo")
                    ->text()
                    .isEmpty()); // the next window starts empty
    }

    void accessKeys()
    {
        ManualSmsWindow& window = openManual();
        test::control<QLineEdit>(window, "ManualNo")->setText("10000000");
        QApplication::setActiveWindow(&window);
        QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!modem().transcript().isEmpty());
        QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(run_->program().manualSmsWindow() == nullptr);
    }

    void portFailureIsShownAndTheWindowStays()
    {
        ManualSmsWindow& window = openManual();
        modem().unplug();
        QTRY_VERIFY(!run_->program().modemLine().isOpen());
        const test::ModalAnswer answer;
        send(window, "10000000", "hello");
        QTRY_COMPARE(answer.seen().count, 1);
        QCOMPARE(answer.seen().title, "ORVA");
        QVERIFY2(answer.seen().text.contains("port A"), qPrintable(answer.seen().text));
        QVERIFY(window.isVisible());
        QCOMPARE(test::control<QLineEdit>(window, "ManualMsg")->text(), "hello");
        QCOMPARE(home_->logTexts().last(), "Port Error, SMS not sent: hello 10000000");
    }

    // A box the manual window shows while a burst settles, and nobody answers: the settle wait
    // ends on time and the alarm goes out while the box still waits for the operator.
    void boxLeftOpenDoesNotHoldTheAlarm_data()
    {
        QTest::addColumn<bool>("modemUnplugged");
        test::row("number refused", false);
        test::row("port failure", true);
    }

    void boxLeftOpenDoesNotHoldTheAlarm()
    {
        QFETCH(bool, modemUnplugged);
        ManualSmsWindow& window = openManual();
        test::control<QLineEdit>(window, "ManualNo")
            ->setText(modemUnplugged ? "10000000" : "1234567");
        if (modemUnplugged) {
            modem().unplug();
            QTRY_VERIFY(!run_->program().modemLine().isOpen());
        }
        const auto box = [&window] { return window.findChild<QMessageBox*>(); };
        const QTimer& scanTimer = run_->program().scan().timer();
        QTimer clickWhileSettling; // the scan timer stops for the whole cycle
        connect(&clickWhileSettling, &QTimer::timeout, &window, [&] {
            if (scanTimer.isActive() || box() != nullptr)
                return;
            QTest::mouseClick(test::control<QPushButton>(window, "ManualSend"), Qt::LeftButton);
            if (modemUnplugged) // back before the alarm, whose transaction opens it again
                modem().plugIn();
        });
        clickWhileSettling.start(10);
        // The operator who walked away comes back after 4 s.
        QTimer::singleShot(4000, &window, [&] {
            if (QMessageBox* shown = box())
                shown->button(QMessageBox::Ok)->click();
        });
        run_->devices.sendBurst(".ALARM ONE");
        // A number that passed takes the alarms along, also when its own send failed.
        const QString number = modemUnplugged ? "10000000" : kConfigured;
        QTRY_VERIFY_WITH_TIMEOUT(modem().accepted(number, ".ALARM ONE"), 10000);
        clickWhileSettling.stop();
        QVERIFY2(box() != nullptr && box()->isVisible(), "the alarm waited for the box");
        QVERIFY(box()->text().contains(modemUnplugged ? "port A" : "Pager No. Must Be 8 Digits."));
        QCOMPARE(box()->windowModality(), Qt::WindowModal);
        QCOMPARE(box()->icon(), modemUnplugged ? QMessageBox::NoIcon : QMessageBox::Warning);
        QCOMPARE(box()->standardButtons(), QMessageBox::Ok);
        box()->button(QMessageBox::Ok)->click();
        QTRY_VERIFY(box() == nullptr);
    }
};

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"
