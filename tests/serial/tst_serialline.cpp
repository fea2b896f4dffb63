#include "common/Failure.h"
#include "serial/SerialLine.h"
#include "support/Failures.h"
#include "support/LineOnPty.h"
#include "support/ProcessFigures.h"
#include "support/Row.h"

#include <QtTest>
#include <memory>
#include <thread>

using namespace orva;
using namespace std::chrono_literals;
using test::expectFailure;

class SerialLineTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<test::LineOnPty> pty_; // COM5 and a line open on it

    SerialLine& line() { return pty_->line(); }

private slots:
    void init()
    {
        home_ = std::make_unique<test::TestHome>();
        pty_ = std::make_unique<test::LineOnPty>(*home_, 5);
    }

    void cleanup()
    {
        pty_.reset();
        home_.reset();
    }

    void settingsFailureNamesTheLine()
    {
        SerialLine closed("port U");
        expectFailure([&] { closed.setLineSettings("Text7"); }, "port U: line settings \"Text7\"");
    }

    // Every baud rate opens; a setting the driver refuses fails the opening, quoting the text.
    void settingsTheDeviceTakes_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("refused");
        for (const char* baud :
             {"110", "300", "600", "1200", "2400", "4800", "9600", "14400", "19200", "28800",
              "38400", "56000", "57600", "115200", "128000", "256000"})
            test::row(baud, QString(baud) + ",n,8,1", QString());
        test::row("2 stop bits", "9600,n,8,2", QString());
        const QString refused = "cannot open: line settings \"%1\": the system refused %2";
        test::row("1.5 stop bits", "9600,n,8,1.5", refused.arg("9600,n,8,1.5", "1.5 stop bits"));
        // A pseudo-terminal keeps its own character size and parity.
        test::row("7 data bits", "9600,n,7,1", refused.arg("9600,n,7,1", "7 data bits"));
        test::row("even parity", "9600,e,8,1", refused.arg("9600,e,8,1", "parity even"));
    }

    void settingsTheDeviceTakes()
    {
        QFETCH(QString, settings);
        QFETCH(QString, refused);
        line().close();
        if (refused.isEmpty())
            QVERIFY(test::openLine(5, "port U", settings)->isOpen());
        else
            expectFailure([&] { (void)test::openLine(5, "port U", settings); }, refused);
    }

    void portNumberOutOfRangeFails_data()
    {
        QTest::addColumn<int>("number");
        test::row("0", 0);
        test::row("negative", -3);
        test::row("256", 256);
    }

    void portNumberOutOfRangeFails()
    {
        QFETCH(int, number);
        SerialLine unset("port U");
        QVERIFY_THROWS_EXCEPTION(Failure, unset.setPortNumber(number));
    }

    void missingDeviceFails()
    {
        SerialLine missing("port U");
        missing.setPortNumber(200); // no link in the data folder, and no /dev/ttyS199
        expectFailure([&] { missing.open(); }, "/dev/ttyS199");
        QVERIFY(!missing.isOpen());
    }

    // An adapter unplugged at boot leaves its link dangling: that is the port, not a reason to
    // fall back to /dev/ttyS6.
    void danglingLinkIsThePort()
    {
        QVERIFY(QFile::link("/dev/orva-unplugged-adapter", home_->linkPath(7)));
        SerialLine dangling("port U");
        dangling.setPortNumber(7);
        QCOMPARE(dangling.device(), home_->linkPath(7));
        expectFailure([&] { dangling.open(); },
                      QString("the link %1 points to /dev/orva-unplugged-adapter, "
                              "which does not exist")
                          .arg(home_->linkPath(7)));
    }

    // The lock names the device itself, so two names for one device see each other.
    void secondNameForAnOpenDeviceIsInUse()
    {
        QVERIFY(QFile::link(home_->linkPath(5), home_->linkPath(6)));
        expectFailure([] { test::openLine(6, "port U"); }, "is in use by another program");
    }

    void unopenedLineFails()
    {
        SerialLine unopened("port U");
        QVERIFY_THROWS_EXCEPTION(Failure, unopened.write("x"));
        QVERIFY_THROWS_EXCEPTION(Failure, unopened.takeReceived());
        QVERIFY_THROWS_EXCEPTION(Failure, (void)unopened.reopenAndCountWaiting());
    }

    void takeReceivedReturnsAllWaiting()
    {
        QCOMPARE(line().takeReceived(), QString());
        pty_->receive("first\r");
        pty_->receive(QByteArray("second \x00\xe9\xff\r", 11));
        QCOMPARE(line().reopenAndCountWaiting(), 17);
        QCOMPARE(line().takeReceived(), QString::fromLatin1("first\rsecond \0\xe9\xff\r", 17));
        QCOMPARE(line().reopenAndCountWaiting(), 0);
        QCOMPARE(line().takeReceived(), QString());
    }

    void writeReachesTheFarEndAsLatin1()
    {
        line().write(QString::fromLatin1("AT\r\xe9\x1a", 5));
        QCOMPARE(pty_->farEndReads(5), std::string("AT\r\xe9\x1a"));
    }

    void receivesWhileOwnerSleeps()
    {
        QByteArray sent(1024 * 1024, '\0');
        for (qsizetype i = 0; i < sent.size(); ++i)
            sent[i] = static_cast<char>((i * 7 + i / 251) & 0xff);
        std::thread writer([&] { pty_->farEnd().write(sent.toStdString()); });
        std::this_thread::sleep_for(3s); // as a modem transaction does
        writer.join();
        QString received;
        QTRY_COMPARE((received += line().takeReceived()).size(), sent.size());
        QVERIFY(received.toLatin1() == sent);
    }

    // What a full buffer drops is said once, when the buffer is next read.
    void overflowIsDroppedNotBlocking()
    {
        pty_.reset();
        test::LineOnPty small(*home_, 5, "port T", 1000);
        QStringList reported;
        small.line().setOverflowReport([&](const QString& cause) { reported << cause; });
        small.farEnd().write(std::string(3000, 'x'));
        QTest::qWait(300);
        QCOMPARE(small.line().reopenAndCountWaiting(), 1000);
        QVERIFY(reported.isEmpty());
        small.line().takeReceived();
        QCOMPARE(reported, QStringList{"port T (" + home_->linkPath(5) +
                                       ") receive buffer full, 2000 bytes dropped"});
        small.receive("after");
        QCOMPARE(small.line().takeReceived(), QString("after"));
        QCOMPARE(reported.size(), 1);
    }

    // A device that fails with characters waiting is still opened again at the next count:
    // the characters stay in front of what comes after.
    void replugWithCharactersWaiting()
    {
        pty_->receive("ab");
        pty_->unplug();
        QTRY_VERIFY(!line().isOpen());
        expectFailure([this] { (void)line().reopenAndCountWaiting(); }, "cannot be opened again");
        QCOMPARE(line().waitingCount(), 2);
        pty_->plugIn();
        QCOMPARE(line().reopenAndCountWaiting(), 2);
        QVERIFY(line().isOpen());
        pty_->receive("cd");
        QCOMPARE(line().takeReceived(), QString("abcd"));
    }

    // A write never opens a failed device again: whatever is plugged in meanwhile did not ask.
    void writeNeverReopens()
    {
        pty_->unplug();
        QTRY_VERIFY(!line().isOpen());
        pty_->plugIn();
        expectFailure([this] { line().write("x"); }, "the device failed");
        QVERIFY(!line().isOpen());
        QCOMPARE(pty_->farEnd().read(300ms), std::string());
        line().reopenIfFailed();
        line().write("y");
        QCOMPARE(pty_->farEndReads(1), std::string("y"));
    }

    void lostDeviceClosesTheLineUntilItIsBack()
    {
        pty_->receive("last words");
        pty_->unplug(); // the far end goes away, and its link with it
        QTRY_VERIFY(!line().isOpen());
        QCOMPARE(line().takeReceived(), QString("last words")); // what came before is not lost
        expectFailure([this] { line().takeReceived(); }, "port T");
        QVERIFY_THROWS_EXCEPTION(Failure, line().write("x"));
        QVERIFY_THROWS_EXCEPTION(Failure, (void)line().reopenAndCountWaiting());
        const double before = test::processorSeconds();
        QTest::qWait(1000);
        QVERIFY2(test::processorSeconds() - before < 0.2, "a lost device costs processor time");

        // Plugged in again as another device: the link is followed to where it points now.
        const tools::PseudoTerminal other((home_->path() + "/ttyUSB1").toStdString());
        QVERIFY(QFile::link(home_->path() + "/ttyUSB1", home_->linkPath(5)));
        other.write("back again");
        QTRY_COMPARE(line().reopenAndCountWaiting(), 10);
        QCOMPARE(line().takeReceived(), QString("back again"));
        QVERIFY(line().isOpen());
        line().write("hello");
        QCOMPARE(other.read(1s), std::string("hello"));
    }

    void closedByItsOwnerStaysClosed()
    {
        line().close();
        QVERIFY_THROWS_EXCEPTION(Failure, line().takeReceived());
        QVERIFY(!line().isOpen());
    }
};

QTEST_MAIN(SerialLineTest)
#include "tst_serialline.moc"
