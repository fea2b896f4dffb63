#include "app/ManualSms.h"
#include "serial/SerialLine.h"
#include "support/ModalAnswer.h"
#include "support/Row.h"
#include "support/RunningProgram.h"
#include "support/TestHome.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace orva;

namespace {

const QString kConfigured = "91234567";

} // namespace

class ManualSmsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<test::RunningProgram> run_;

    ManualSms& open()
    {
        QTest::mouseClick(run_->mainWindow().Command2(), Qt::LeftButton);
        return *run_->program().manualWindow();
    }

    void send(ManualSms& window, const QString& number, const QString& message)
    {
        window.ManualNo->setText(number);
        window.ManualMsg->setText(message);
        QTest::mouseClick(window.ManualSend, Qt::LeftButton);
    }

    test::ModemSimulator& modem() { return run_->devices.modem; }

private slots:
    void init()
    {
        home_ = std::make_unique<test::TestHome>();
        run_ = std::make_unique<test::RunningProgram>(*home_);
    }

    void cleanup()
    {
        run_.reset();
        home_.reset();
    }

    void accepted_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("message");
        test::row("lowest", "10000000", "test message");
        test::row("highest", "99999999", "test message");
        test::row("exponent form", "1.5E7", "x");
        test::row("empty message", "12345678", "");
    }

    void accepted()
    {
        QFETCH(QString, number);
        QFETCH(QString, message);
        ManualSms& window = open();
        send(window, number, message);
        QTRY_COMPARE(modem().transcript(), "at+cmgf = 1\rAT+CMGS=\"" + number.toLatin1() + "\"\r" +
                                               message.toLatin1() + '\x1a');
        QCOMPARE(run_->mainWindow().line(0), message + " " + number);
        QCOMPARE(home_->logTexts().last(), message + " " + number);
        QCOMPARE(run_->program().outgoingSms().SmsNumber, number);
        QCOMPARE(window.ManualNo->text(), number); // ready for another send
        QCOMPARE(window.ManualMsg->text(), message);
    }

    // Which numbers pass: the rules' own test.
    void rejected()
    {
        const QString number = "1234567";
        ManualSms& window = open();
        {
            const test::ModalAnswer answer;
            send(window, number, "hello");
            QCOMPARE(answer.seen().count, 1);
            QCOMPARE(answer.seen().title, "ORVA");
            QCOMPARE(answer.seen().text, "Pager No. Must Be 8 Digits.");
            QCOMPARE(answer.seen().icon, QMessageBox::Warning);
        }
        QTest::qWait(200);
        QVERIFY(modem().transcript().isEmpty());
        QVERIFY(window.isVisible());
        QCOMPARE(window.ManualNo->text(), number);
        QCOMPARE(window.ManualMsg->text(), "hello");
        QCOMPARE(run_->program().outgoingSms().SmsNumber, kConfigured);
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
        ManualSms& window = open();
        send(window, "22223333", "manual");
        QTRY_COMPARE(modem().accepted().size(), 1);
        run_->devices.sendBurst(".ALARM ONE");
        QTRY_VERIFY(modem().accepted("22223333", ".ALARM ONE"));
        if (byCloseBox)
            window.close();
        else
            QTest::mouseClick(window.ManualCancel, Qt::LeftButton);
        QTRY_VERIFY(run_->program().manualWindow() == nullptr); // discarded
        run_->devices.sendBurst(".ALARM TWO");
        QTRY_VERIFY(modem().accepted(kConfigured, ".ALARM TWO"));
        QVERIFY(open().ManualNo->text().isEmpty()); // the next window starts empty
    }

    void rejectedNumberLeavesAlarmsAlone()
    {
        ManualSms& window = open();
        send(window, "22223333", "manual");
        QTRY_COMPARE(modem().accepted().size(), 1);
        {
            const test::ModalAnswer answer;
            send(window, "1234567", "rejected");
        }
        run_->devices.sendBurst(".ALARM ONE");
        QTRY_VERIFY(modem().accepted("22223333", ".ALARM ONE")); // the number in force stays
    }

    void accessKeys()
    {
        ManualSms& window = open();
        window.ManualNo->setText("10000000");
        QApplication::setActiveWindow(&window);
        QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!modem().transcript().isEmpty());
        QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(run_->program().manualWindow() == nullptr);
    }

    void portFailureIsShownAndTheWindowStays()
    {
        ManualSms& window = open();
        modem().unplug();
        QTRY_VERIFY(!run_->program().MSComm1(0).portOpen());
        const test::ModalAnswer answer;
        send(window, "10000000", "hello");
        QCOMPARE(answer.seen().count, 1);
        QCOMPARE(answer.seen().title, "ORVA");
        QVERIFY2(answer.seen().text.contains("port A"), qPrintable(answer.seen().text));
        QVERIFY(window.isVisible());
        QCOMPARE(window.ManualMsg->text(), "hello");
        QCOMPARE(home_->logTexts().last(), "Port Error, SMS not sent: hello 10000000");
    }
};

QTEST_MAIN(ManualSmsTest)
#include "tst_manualsms.moc"
