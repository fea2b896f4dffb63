#include "common/Failure.h"
#include "pty/PseudoTerminal.h"
#include "support/ModemRig.h"
#include "support/TestHome.h"

#include <QtTest>
#include <memory>
#include <thread>

using namespace std::chrono_literals;

using namespace orva;
using test::ModemRig;

namespace {

const QByteArray kCommands = "at+cmgf = 1\rAT+CMGS=\"91234567\"\r";

} // namespace

class SendSmsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;

private slots:
    void init() { home_ = std::make_unique<test::TestHome>(); }
    void cleanup() { home_.reset(); }

    void sends_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("entry");
        const QByteArray commands = kCommands;
        QTest::newRow("normal") << "normal"
                                << "91234567"
                                << ".ZONE 1 FIRE" << commands + ".ZONE 1 FIRE\x1a"
                                << ".ZONE 1 FIRE 91234567";
        QTest::newRow("empty text") << "normal"
                                    << "91234567"
                                    << "" << commands + "\x1a"
                                    << " 91234567";
        QTest::newRow("empty number")
            << "normal"
            << ""
            << "hi" << QByteArray("at+cmgf = 1\rAT+CMGS=\"\"\rhi\x1a") << "hi ";
        QTest::newRow("number with blanks and letters")
            << "normal"
            << " 9123 45x"
            << "hi" << QByteArray("at+cmgf = 1\rAT+CMGS=\" 9123 45x\"\rhi\x1a") << "hi  9123 45x";
        QTest::newRow("bare prompt") << "bare-prompt"
                                     << "91234567"
                                     << "hi" << commands + "hi\x1a"
                                     << "hi 91234567";
        QTest::newRow("silent modem") << "silent"
                                      << "91234567"
                                      << "hi" << commands << "No Respond from Modem";
        QTest::newRow("OK before a slow prompt is an answer") << "slow-prompt"
                                                              << "91234567"
                                                              << "hi" << commands + "hi\x1a"
                                                              << "hi 91234567";
        QTest::newRow("send command refused")
            << "error"
            << "91234567"
            << "hi" << commands << "Modem Error, SMS not sent: hi 91234567";
        QTest::newRow("body refused") << "cms-error"
                                      << "91234567"
                                      << "hi" << commands + "hi\x1a"
                                      << "Modem Error, SMS not sent: hi 91234567";
        QTest::newRow("quote in number")
            << "normal"
            << "912\"34567"
            << "hi" << QByteArray() << "Invalid Number, SMS not sent: hi 912\"34567";
        QTest::newRow("line feed in number")
            << "normal"
            << "9123\nPORT"
            << "hi" << QByteArray() << "Invalid Number, SMS not sent: hi 9123\nPORT";
        QTest::newRow("Ctrl-Z and ESC in text") << "normal"
                                                << "91234567"
                                                << "a\x1a"
                                                   "b\x1b"
                                                   "c"
                                                << commands + "a b c\x1a"
                                                << "a\x1a"
                                                   "b\x1b"
                                                   "c 91234567";
        QTest::newRow("Latin-1 text")
            << "normal"
            << "91234567" << QString::fromLatin1("\xe9t\xe9") << commands + "\xe9t\xe9\x1a"
            << QString::fromLatin1("\xe9t\xe9 91234567");
    }

    void sends()
    {
        QFETCH(QString, mode);
        QFETCH(QString, number);
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        QFETCH(QString, entry);
        // Without echo, so that the modem says nothing before its prompt.
        ModemRig rig(*home_, mode, {"--no-echo"});
        rig.modem.SendSms(number, text);
        QTRY_COMPARE(rig.transcript(), written);
        QCOMPARE(rig.status, entry);
        QCOMPARE(home_->logTexts(), QStringList{entry});
        const bool sent = !written.isEmpty() && written.endsWith('\x1a') && mode != "cms-error";
        QTRY_COMPARE(rig.accepted().size(), sent ? 1 : 0);
    }

    void staleInputIsNoAnswer()
    {
        const tools::PseudoTerminal modem(home_->linkPath(1).toStdString());
        SerialLine portA("port A");
        portA.setSettings("9600,n,8,1");
        portA.setCommPort(1);
        portA.setPortOpen(true);
        modem.write("\r\n+CMTI: \"SM\",3\r\n"); // arrives between two transactions
        QTRY_COMPARE(portA.InBufferCount(), 17);
        const EventLog log(home_->dataFolder());
        QString status;
        SmsModem sms(portA, log, [&](const QString& text) { status = text; });
        sms.ModemWaitMs = ModemRig::kWaitUnit;
        sms.SendSms("91234567", "hi");
        QCOMPARE(status, "No Respond from Modem");
    }

    void hugeReplyWithNulBytes()
    {
        const tools::PseudoTerminal modem(home_->linkPath(1).toStdString());
        SerialLine portA("port A");
        portA.setSettings("9600,n,8,1");
        portA.setCommPort(1);
        portA.setPortOpen(true);
        const EventLog log(home_->dataFolder());
        QString status;
        SmsModem sms(portA, log, [&](const QString& text) { status = text; });
        sms.ModemWaitMs = 200ms;
        std::thread answer([&] {
            std::this_thread::sleep_for(50ms);
            modem.write(std::string(3, '\0') + std::string(1024 * 1024, 'z') + "\r\n> ");
        });
        sms.SendSms("91234567", "hi");
        answer.join();
        QCOMPARE(status, "hi 91234567");
    }

    void portFailureIsRecordedAndThrown()
    {
        SerialLine closed("port A");
        const EventLog log(home_->dataFolder());
        QString status;
        SmsModem sms(closed, log, [&](const QString& text) { status = text; });
        QVERIFY_THROWS_EXCEPTION(Failure, sms.SendSms("91234567", "hi"));
        QCOMPARE(status, "Port Error, SMS not sent: hi 91234567");
        QCOMPARE(home_->logTexts(), QStringList{"Port Error, SMS not sent: hi 91234567"});
    }

    void lostModemIsAPortFailure()
    {
        ModemRig rig(*home_);
        rig.stopModem();
        QTRY_VERIFY(!rig.portA.portOpen());
        QVERIFY_THROWS_EXCEPTION(Failure, rig.modem.SendSms("91234567", "hi"));
        QCOMPARE(home_->logTexts(), QStringList{"Port Error, SMS not sent: hi 91234567"});
    }

    void logFailureReachesTheCaller()
    {
        ModemRig rig(*home_);
        QVERIFY(QDir(home_->path()).rename("ORVA/COM1", "COM1")); // keep the modem reachable
        QVERIFY(QDir(home_->dataFolder()).removeRecursively());
        QVERIFY_THROWS_EXCEPTION(Failure, rig.modem.SendSms("91234567", "hi"));
    }

    void sleepsBlockEvents()
    {
        ModemRig rig(*home_, "silent");
        bool ran = false;
        QTimer::singleShot(0, [&] { ran = true; });
        rig.modem.SendSms("91234567", "hi");
        QVERIFY(!ran);
        QTRY_VERIFY(ran);
    }
};

QTEST_MAIN(SendSmsTest)
#include "tst_sendsms.moc"
