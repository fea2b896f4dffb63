#include "support/Row.h"
#include "support/RunningProgram.h"
#include "support/TestHome.h"

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

QStringList settingsTexts(const Form3& window)
{
    QStringList texts;
    for (int slot = 0; slot < kSlotCount; ++slot)
        for (const Field field : {Field::Port, Field::LineSettings, Field::Length})
            texts << window.box(slot, field)->text();
    return texts;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<test::RunningProgram> run_;

    void start(const QString& moreSettings = {})
    {
        run_ = std::make_unique<test::RunningProgram>(*home_, moreSettings);
        run_->mainWindow().show();
    }

    Form3& settingsWindow() { return run_->program().settingsWindow(); }
    void clickSettings() { QTest::mouseClick(run_->mainWindow().Command1(), Qt::LeftButton); }
    void clickManualSms() { QTest::mouseClick(run_->mainWindow().Command2(), Qt::LeftButton); }

private slots:
    void init() { home_ = std::make_unique<test::TestHome>(); }

    void cleanup()
    {
        run_.reset();
        home_.reset();
    }

    void afterStartUp()
    {
        start();
        QCOMPARE(run_->mainWindow().line(0), "SMS Program Started");
        for (int box = 1; box < AlarmDisplay::kBoxCount; ++box)
            QCOMPARE(run_->mainWindow().line(box), "0");
        QCOMPARE(run_->program().scan().timer().interval(), 1017);
        QVERIFY(run_->program().scan().timer().isActive());
        QVERIFY(!settingsWindow().isVisible());
    }

    void shorterBurstLeavesLaterBoxes()
    {
        start();
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
        start();
        clickManualSms();
        ManualSms* first = run_->program().manualWindow();
        QVERIFY(first != nullptr && first->isVisible());
        clickManualSms();
        QCOMPARE(run_->program().manualWindow(), first);
        QCOMPARE(openWindows<ManualSms>(), 1);
    }

    void settingsBesideManualSms()
    {
        start();
        clickManualSms();
        clickSettings();
        QVERIFY(settingsWindow().isVisible());
        QVERIFY(run_->program().manualWindow()->isVisible());
        QTest::keyClicks(run_->program().manualWindow()->ManualNo, "123");
        QCOMPARE(run_->program().manualWindow()->ManualNo->text(), "123");
        QTest::mouseClick(settingsWindow().findChild<QPushButton*>("Command4"), Qt::LeftButton);
        QVERIFY(!settingsWindow().isVisible());
        QVERIFY(run_->program().manualWindow()->isVisible());
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
        start(moreSettings);
        QLineEdit* slotC = settingsWindow().box(kSlotC, Field::LineSettings);
        QTEST(slotC->text(), "beforePress");
        clickSettings();
        QVERIFY(settingsWindow().isVisible());
        QCOMPARE(slotC->text(), QSysInfo::machineHostName());
    }

    void secondPressKeepsOneWindowAndWritesAgain()
    {
        start();
        clickSettings();
        settingsWindow().setField(kSlotC, Field::LineSettings, "overwritten");
        clickSettings();
        QCOMPARE(openWindows<Form3>(), 1);
        QCOMPARE(settingsWindow().box(kSlotC, Field::LineSettings)->text(),
                 QSysInfo::machineHostName());
    }

    void closeThenSettingsShowsTheSameTexts()
    {
        start();
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
        start();
        clickSettings();
        for (const char* name : {"Command1", "Command2", "Command3"})
            QTest::mouseClick(settingsWindow().findChild<QPushButton*>(name), Qt::LeftButton);
        QVERIFY(settingsWindow().isVisible());
        QVERIFY(!run_->exitStatus());
    }

    void closingTheMainWindowEndsWithoutTheManualClose()
    {
        start();
        clickManualSms();
        run_->mainWindow().close();
        QCOMPARE(run_->exitStatus(), 0);
        QCOMPARE(home_->logTexts(), (QStringList{"SMS Program Started", "SMS Program Exit"}));
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
