#include "messaging/ModemQuestions.h"
#include "support/LineOnPty.h"
#include "support/ModemRig.h"
#include "support/Row.h"

#include <QtTest>
#include <atomic>
#include <memory>
#include <thread>

using namespace std::chrono_literals;

using namespace orva;
using test::ModemRig;

namespace {

const QByteArray kCommands = "at+cmgf = 1\rAT+CMGS=\"91234567\"\r";

} // namespace

class SmsModemTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;
    QString status_;

    // The modem on port A, open on a device the test plays.
    struct Exchange {
        Exchange(const test::TestHome& home, QString& status,
                 std::chrono::milliseconds waitUnit = ModemRig::kWaitUnit)
            : modem(home, 1, "port A")
            , log(home.dataFolder())
            , sms(modem.line(), Timing{.modemWaitUnit = waitUnit}.smsWaits(),
                  [this, &status](const Event& event) {
                      status = event.shown.value_or(event.entry);
                      return logEvent(log, event);
                  })
        {
        }
        test::LineOnPty modem;
        EventLog log;
        SmsModem sms;
    };

private slots:
    void init()
    {
        home_ = std::make_unique<test::TestHome>();
        status_.clear();
    }
    void cleanup() { home_.reset(); }

    void sends_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("entry");
        const QByteArray commands = kCommands;
        // Without echo, so that the modem says nothing before its prompt.
        const QStringList noEcho{"--no-echo"};
        test::row("normal", "normal", noEcho, "91234567", ".ZONE 1 FIRE",
                  commands + ".ZONE 1 FIRE\x1a", ".ZONE 1 FIRE 91234567");
        test::row("empty text", "normal", noEcho, "91234567", "", commands + "\x1a", " 91234567");
        test::row("empty number", "normal", noEcho, "", "hi",
                  QByteArray("at+cmgf = 1\rAT+CMGS=\"\"\rhi\x1a"), "hi ");
        test::row("number with blanks and letters", "normal", noEcho, " 9123 45x", "hi",
                  QByteArray("at+cmgf = 1\rAT+CMGS=\" 9123 45x\"\rhi\x1a"), "hi  9123 45x");
        test::row("bare prompt", "bare-prompt", noEcho, "91234567", "hi", commands + "hi\x1a",
                  "hi 91234567");
        test::row("silent modem", "silent", noEcho, "91234567", "hi", commands + "\x1b",
                  "No Respond from Modem, SMS not sent: hi 91234567");
        test::row("prompt later than the grace is none", "slow-prompt", noEcho, "91234567", "hi",
                  commands + "\x1b", "Modem Error (no prompt), SMS not sent: hi 91234567");
        // The fixed wait is 3 units of 60 ms; a prompt within the 10 units after it counts, also
        // one in the last of them.
        test::row("slow prompt within the grace", "slow-prompt",
                  QStringList{"--no-echo", "--prompt-delay", "650"}, "91234567", "hi",
                  commands + "hi\x1a", "hi 91234567");
        test::row("slow prompt after an echo", "slow-prompt", QStringList{"--prompt-delay", "450"},
                  "91234567", "hi", commands + "hi\x1a", "hi 91234567");
        test::row("send command refused", "error", noEcho, "91234567", "hi", commands,
                  "Modem Error (ERROR), SMS not sent: hi 91234567");
        test::row("body refused", "cms-error", noEcho, "91234567", "hi", commands + "hi\x1a",
                  "Modem Error (+CMS ERROR: 500), SMS not sent: hi 91234567");
        test::row("no confirmation", "no-confirm", noEcho, "91234567", "hi",
                  commands + "hi\x1a\x1b",
                  "Modem Error (no confirmation), SMS not sent: hi 91234567");
        test::row("confirmation after the fixed wait", "normal",
                  QStringList{"--no-echo", "--reply-delay", "1500"}, "91234567", "hi",
                  commands + "hi\x1a", "hi 91234567");
        test::row("echoed body that reads ERROR", "normal", QStringList(), "91234567", "ERROR",
                  commands + "ERROR\x1a", "ERROR 91234567");
        test::row("quote in number", "normal", noEcho, "912\"34567", "hi", QByteArray(),
                  "Invalid Number, SMS not sent: hi 912\"34567");
        test::row("line feed in number", "normal", noEcho, "9123\nPORT", "hi", QByteArray(),
                  "Invalid Number, SMS not sent: hi 9123\nPORT");
        test::row("Ctrl-Z and ESC in text", "normal", noEcho, "91234567",
                  "a\x1a"
                  "b\x1b"
                  "c",
                  commands + "a b c\x1a",
                  "a\x1a"
                  "b\x1b"
                  "c 91234567");
        test::row("Latin-1 text", "normal", noEcho, "91234567", QString::fromLatin1("\xe9t\xe9"),
                  commands + "\xe9t\xe9\x1a", QString::fromLatin1("\xe9t\xe9 91234567"));
    }

    void sends()
    {
        QFETCH(QString, mode);
        QFETCH(QStringList, options);
        QFETCH(QString, number);
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        QFETCH(QString, entry);
        ModemRig rig(*home_, QStringList{"--mode", mode} + options);
        rig.modem.send(number, text);
        QTRY_COMPARE(rig.simulator.transcript(), written);
        QCOMPARE(rig.status, entry.section(", SMS not sent: hi", 0, 0) == "No Respond from Modem"
                                 ? "No Respond from Modem"
                                 : entry);
        QCOMPARE(home_->logTexts(), QStringList{entry});
        QTRY_COMPARE(rig.simulator.accepted().size(), entry == text + ' ' + number ? 1 : 0);
    }

    // What arrived between two transactions is no answer to the next; a prompt among it, one
    // that came after the last transaction gave up, is closed before a command is written.
    void leftoversAreNoAnswer_data()
    {
        QTest::addColumn<QByteArray>("leftover");
        QTest::addColumn<QByteArray>("written");
        test::row("a report", QByteArray("\r\n+CMTI: \"SM\",3\r\n"), kCommands + "\x1b");
        test::row("a late prompt", QByteArray("\r\n> "), "\x1b" + kCommands + "\x1b");
    }

    void leftoversAreNoAnswer()
    {
        QFETCH(QByteArray, leftover);
        QFETCH(QByteArray, written);
        Exchange exchange(*home_, status_);
        exchange.modem.receive(leftover);
        exchange.sms.send("91234567", "hi");
        QCOMPARE(status_, "No Respond from Modem");
        QCOMPARE(QByteArray::fromStdString(exchange.modem.farEndReads(written.size())), written);
    }

    // What waited before a check's question is no answer to it, and a prompt that comes instead
    // of the answer is closed, and the question asked again.
    void checkAnswersAreItsOwn()
    {
        Exchange exchange(*home_, status_);
        exchange.modem.receive("\r\nERROR\r\n"); // the answer to an earlier question
        std::string written;
        std::thread modem([&] {
            for (const char* reply : {"\r\n> ", "\r\nOK\r\n", "\r\nOK\r\n"}) {
                const QDeadlineTimer deadline(3000);
                const auto before = written.size();
                while (written.size() == before && !deadline.hasExpired())
                    written += exchange.modem.farEnd().read(50ms);
                exchange.modem.farEnd().write(reply);
            }
        });
        QCOMPARE(
            askModem(exchange.modem.line(), "AT", QDeadlineTimer(3000), Timing{}.questionPace()),
            "\r\nOK\r\n");
        modem.join();
        QCOMPARE(written, "AT\r\x1b"
                          "AT\r");
    }

    void hugeReplyWithNulBytes()
    {
        Exchange exchange(*home_, status_, 200ms);
        const tools::PseudoTerminal& modem = exchange.modem.farEnd();
        std::thread answer([&] {
            std::this_thread::sleep_for(50ms);
            modem.write(std::string(3, '\0') + std::string(1000 * 1000, 'z') + "\r\n> ");
            std::this_thread::sleep_for(700ms);
            modem.write("\r\n+CMGS: 1\r\n");
        });
        exchange.sms.send("91234567", "hi");
        answer.join();
        QCOMPARE(status_, "hi 91234567");
    }

    // The modem is unplugged after the commands and plugged in again at once, prompting: it
    // never saw the commands, so the body must not reach it.
    void modemReplacedBetweenCommandsAndBody()
    {
        Exchange exchange(*home_, status_, 100ms);
        std::thread replug([&] {
            std::string seen;
            const QDeadlineTimer deadline(5000);
            while (seen.find("AT+CMGS") == std::string::npos && !deadline.hasExpired())
                seen += exchange.modem.farEnd().read(50ms);
            exchange.modem.unplug();
            exchange.modem.plugIn();
            exchange.modem.farEnd().write("\r\n> ");
        });
        QCOMPARE(exchange.sms.send("91234567", "hi").outcome.kind, SmsOutcome::Kind::PortFailure);
        replug.join();
        QCOMPARE(status_, "Port Error, SMS not sent: hi 91234567");
        QCOMPARE(home_->logTexts(), QStringList{status_});
        QVERIFY(exchange.modem.farEnd().read(300ms).find("hi") == std::string::npos);
    }

    void portFailureIsRecordedAndReturned()
    {
        Exchange exchange(*home_, status_);
        exchange.modem.line().close();
        QCOMPARE(exchange.sms.send("91234567", "hi").outcome.kind, SmsOutcome::Kind::PortFailure);
        QCOMPARE(status_, "Port Error, SMS not sent: hi 91234567");
        QCOMPARE(home_->logTexts(), QStringList{"Port Error, SMS not sent: hi 91234567"});
    }

    // The modem is opened again at the start of the next transaction, and only there.
    void lostModemIsAPortFailure()
    {
        ModemRig rig(*home_);
        rig.simulator.unplug();
        QTRY_VERIFY(!rig.portA->isOpen());
        QCOMPARE(rig.modem.send("91234567", "hi").outcome.kind, SmsOutcome::Kind::PortFailure);
        QCOMPARE(home_->logTexts(), QStringList{"Port Error, SMS not sent: hi 91234567"});
        rig.simulator.plugIn();
        rig.modem.send("91234567", "back");
        QCOMPARE(rig.status, "back 91234567");
    }

    // Asked to end, a transaction cuts its grace short with the entry it has at that point,
    // and no later one begins.
    void stopCutsTheGraceShort()
    {
        std::atomic<bool> stop = false;
        ModemRig rig(*home_, {"--mode", "no-confirm"});
        SmsModem modem(
            *rig.portA, Timing{.modemWaitUnit = ModemRig::kWaitUnit}.smsWaits(),
            [this](const Event& event) {
                status_ = event.entry;
                return Recorded{};
            },
            [&stop] { return stop.load(); });
        QElapsedTimer elapsed;
        elapsed.start();
        std::thread request([&stop] {
            std::this_thread::sleep_for(ModemRig::kWaitUnit * 10); // in the confirmation grace
            stop = true;
        });
        modem.send("91234567", "hi");
        request.join();
        QCOMPARE(status_, "Modem Error (no confirmation), SMS not sent: hi 91234567");
        QVERIFY2(elapsed.elapsed() < (ModemRig::kWaitUnit * 13).count(), "the grace ran on");
        QTRY_VERIFY(rig.simulator.transcript().endsWith("hi\x1a\x1b"));
        const QByteArray written = rig.simulator.transcript();
        modem.send("91234567", "later");
        QCOMPARE(status_, "ORVA Stopped, SMS not sent: later 91234567");
        QTest::qWait(200);
        QCOMPARE(rig.simulator.transcript(), written);
    }

    void logFailureReachesTheCaller()
    {
        ModemRig rig(*home_);
        QVERIFY(QDir(home_->path()).rename("ORVA/COM1", "COM1")); // keep the modem reachable
        QVERIFY(QDir(home_->dataFolder()).removeRecursively());
        QVERIFY(rig.modem.send("91234567", "hi").recorded.failure.startsWith("cannot open the"));
    }

    void sleepsBlockEvents()
    {
        ModemRig rig(*home_, {"--mode", "silent"});
        bool ran = false;
        QTimer::singleShot(0, [&] { ran = true; });
        rig.modem.send("91234567", "hi");
        QVERIFY(!ran);
        QTRY_VERIFY(ran);
    }
};

QTEST_MAIN(SmsModemTest)
#include "tst_smsmodem.moc"
