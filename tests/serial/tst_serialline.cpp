#include "common/Failure.h"
#include "common/VisibleText.h"
#include "pty/PseudoTerminal.h"
#include "serial/LineSettings.h"
#include "serial/SerialLine.h"
#include "support/ProcessFigures.h"
#include "support/TestHome.h"

#include <QtTest>
#include <memory>
#include <thread>

using namespace orva;
using namespace std::chrono_literals;
using tools::PseudoTerminal;

namespace {

// Takes what the line receives until it holds the expected size or the time is up.
QString collect(SerialLine& line, qsizetype expected, std::chrono::milliseconds timeout = 5s)
{
    QString received;
    QDeadlineTimer deadline(timeout);
    while (received.size() < expected && !deadline.hasExpired()) {
        received += line.Input();
        QThread::msleep(10);
    }
    return received;
}

std::string farEndReads(const PseudoTerminal& pty, std::size_t expected)
{
    std::string got;
    QDeadlineTimer deadline(5000);
    while (got.size() < expected && !deadline.hasExpired())
        got += pty.read(100ms);
    return got;
}

} // namespace

class SerialLineTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<PseudoTerminal> pty_;

    std::unique_ptr<SerialLine> openLine(const QString& settings = "9600,n,8,1")
    {
        auto line = std::make_unique<SerialLine>("port T");
        line->setSettings(settings);
        line->setCommPort(5);
        line->setInputLen(0);
        line->setPortOpen(true);
        return line;
    }

private slots:
    void init()
    {
        home_ = std::make_unique<test::TestHome>();
        pty_ = std::make_unique<PseudoTerminal>(home_->linkPath(5).toStdString());
    }

    void cleanup()
    {
        pty_.reset();
        home_.reset();
    }

    void settingsAccepted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("parity");
        QTest::addColumn<int>("dataBits");
        QTest::addColumn<int>("stopBits");
        QTest::newRow("usual") << "9600,n,8,1" << 9600 << int(QSerialPort::NoParity) << 8
                               << int(QSerialPort::OneStop);
        QTest::newRow("blanks around fields")
            << " 19200 , E , 7 , 2 " << 19200 << int(QSerialPort::EvenParity) << 7
            << int(QSerialPort::TwoStop);
        QTest::newRow("odd upper case") << "110,O,5,1.5" << 110 << int(QSerialPort::OddParity) << 5
                                        << int(QSerialPort::OneAndHalfStop);
        QTest::newRow("mark") << "256000,m,6,1" << 256000 << int(QSerialPort::MarkParity) << 6
                              << int(QSerialPort::OneStop);
        QTest::newRow("space") << "14400,S,8,1" << 14400 << int(QSerialPort::SpaceParity) << 8
                               << int(QSerialPort::OneStop);
    }

    void settingsAccepted()
    {
        QFETCH(QString, text);
        const LineSettings settings = parseLineSettings(text);
        QTEST(int(settings.baudRate), "baud");
        QTEST(int(settings.parity), "parity");
        QTEST(int(settings.dataBits), "dataBits");
        QTEST(int(settings.stopBits), "stopBits");
    }

    void settingsRejected_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("initial text") << "Text7";
        QTest::newRow("empty") << "";
        QTest::newRow("unknown baud") << "9601,n,8,1";
        QTest::newRow("parity word") << "9600,none,8,1";
        QTest::newRow("parity x") << "9600,x,8,1";
        QTest::newRow("data bits 9") << "9600,n,9,1";
        QTest::newRow("data bits 4") << "9600,n,4,1";
        QTest::newRow("stop bits 3") << "9600,n,8,3";
        QTest::newRow("three fields") << "9600,n,8";
        QTest::newRow("five fields") << "9600,n,8,1,1";
        QTest::newRow("cut by a line feed") << "9600,n,8,1\nPORT B:2";
    }

    void settingsRejected()
    {
        QFETCH(QString, text);
        SerialLine line("port T");
        try {
            line.setSettings(text);
            QFAIL("accepted");
        } catch (const Failure& failure) {
            QVERIFY2(failure.message().contains("port T"), qPrintable(failure.message()));
            QVERIFY2(failure.message().contains('"' + visibleText(text) + '"'),
                     qPrintable(failure.message()));
        }
    }

    void everyBaudRateOpens_data()
    {
        QTest::addColumn<QString>("baud");
        for (const char* baud :
             {"110", "300", "600", "1200", "2400", "4800", "9600", "14400", "19200", "28800",
              "38400", "56000", "57600", "115200", "128000", "256000"})
            QTest::newRow(baud) << QString(baud);
    }

    void everyBaudRateOpens()
    {
        QFETCH(QString, baud);
        const auto line = openLine(baud + ",n,8,1");
        QVERIFY(line->portOpen());
    }

    void portNumberOutOfRangeFails_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("0") << 0;
        QTest::newRow("negative") << -3;
        QTest::newRow("256") << 256;
    }

    void portNumberOutOfRangeFails()
    {
        QFETCH(int, number);
        SerialLine line("port T");
        QVERIFY_THROWS_EXCEPTION(Failure, line.setCommPort(number));
    }

    void missingDeviceFails()
    {
        SerialLine line("port T");
        line.setSettings("9600,n,8,1");
        line.setCommPort(200); // no link in the data folder, and no /dev/ttyS199
        try {
            line.setPortOpen(true);
            QFAIL("opened");
        } catch (const Failure& failure) {
            QVERIFY2(failure.message().contains("/dev/ttyS199"), qPrintable(failure.message()));
        }
        QVERIFY(!line.portOpen());
    }

    // An adapter unplugged at boot leaves its link dangling: that is the port, not a reason to
    // fall back to /dev/ttyS6.
    void danglingLinkIsThePort()
    {
        QVERIFY(QFile::link("/dev/orva-unplugged-adapter", home_->linkPath(7)));
        SerialLine line("port T");
        line.setSettings("9600,n,8,1");
        line.setCommPort(7);
        QCOMPARE(line.device(), home_->linkPath(7));
        try {
            line.setPortOpen(true);
            QFAIL("opened");
        } catch (const Failure& failure) {
            const QString expected = QString("the link %1 points to /dev/orva-unplugged-adapter, "
                                             "which does not exist")
                                         .arg(home_->linkPath(7));
            QVERIFY2(failure.message().contains(expected), qPrintable(failure.message()));
        }
    }

    // The lock names the device itself, so two names for one device see each other.
    void secondNameForAnOpenDeviceIsInUse()
    {
        const auto line = openLine();
        QVERIFY(QFile::link(home_->linkPath(5), home_->linkPath(6)));
        SerialLine second("port U");
        second.setSettings("9600,n,8,1");
        second.setCommPort(6);
        try {
            second.setPortOpen(true);
            QFAIL("opened twice");
        } catch (const Failure& failure) {
            QVERIFY2(failure.message().contains("is in use by another program"),
                     qPrintable(failure.message()));
        }
    }

    void unopenedLineFails()
    {
        SerialLine line("port T");
        QVERIFY_THROWS_EXCEPTION(Failure, line.Output("x"));
        QVERIFY_THROWS_EXCEPTION(Failure, line.Input());
        QVERIFY_THROWS_EXCEPTION(Failure, line.InBufferCount());
    }

    void inputReturnsAllWaiting()
    {
        const auto line = openLine();
        QCOMPARE(line->Input(), QString());
        pty_->write("first\r");
        pty_->write(std::string("second \x00\xe9\xff\r", 11));
        QTRY_COMPARE(line->InBufferCount(), 17);
        QCOMPARE(line->Input(), QString::fromLatin1("first\rsecond \0\xe9\xff\r", 17));
        QCOMPARE(line->InBufferCount(), 0);
        QCOMPARE(line->Input(), QString());
    }

    void outputReachesTheFarEndAsLatin1()
    {
        const auto line = openLine();
        line->Output(QString::fromLatin1("AT\r\xe9\x1a", 5));
        QCOMPARE(farEndReads(*pty_, 5), std::string("AT\r\xe9\x1a"));
    }

    void receivesWhileOwnerSleeps()
    {
        const auto line = openLine();
        std::string sent(1024 * 1024, '\0');
        for (std::size_t i = 0; i < sent.size(); ++i)
            sent[i] = static_cast<char>((i * 7 + i / 251) & 0xff);
        std::thread writer([&] { pty_->write(sent); });
        std::this_thread::sleep_for(3s); // as a modem transaction does
        writer.join();
        const QString received = collect(*line, qsizetype(sent.size()));
        QCOMPARE(received.size(), qsizetype(sent.size()));
        QVERIFY(received.toLatin1() == QByteArray::fromStdString(sent));
    }

    void overflowIsDroppedNotBlocking()
    {
        SerialLine line("port T", 1000);
        line.setSettings("9600,n,8,1");
        line.setCommPort(5);
        line.setPortOpen(true);
        pty_->write(std::string(3000, 'x'));
        QTest::qWait(300);
        QCOMPARE(line.InBufferCount(), 1000);
        line.Input();
        pty_->write("after");
        QCOMPARE(collect(line, 5), QString("after"));
    }

    void lostDeviceClosesTheLineUntilItIsBack()
    {
        const auto line = openLine();
        pty_->write("last words");
        QTRY_COMPARE(line->InBufferCount(), 10);
        pty_.reset(); // the far end goes away, and its link with it
        QTRY_VERIFY(!line->portOpen());
        QCOMPARE(line->Input(), QString("last words")); // what came before is not lost
        try {
            line->Input();
            QFAIL("a lost device still reads");
        } catch (const Failure& failure) {
            QVERIFY2(failure.message().contains("port T"), qPrintable(failure.message()));
        }
        QVERIFY_THROWS_EXCEPTION(Failure, line->Output("x"));
        QVERIFY_THROWS_EXCEPTION(Failure, line->InBufferCount());
        const double before = test::processorSeconds();
        QTest::qWait(1000);
        QVERIFY2(test::processorSeconds() - before < 0.2, "a lost device costs processor time");

        // Plugged in again as another device: the link is followed to where it points now.
        pty_ = std::make_unique<PseudoTerminal>((home_->path() + "/ttyUSB1").toStdString());
        QVERIFY(QFile::link(home_->path() + "/ttyUSB1", home_->linkPath(5)));
        pty_->write("back again");
        QCOMPARE(collect(*line, 10), QString("back again"));
        QVERIFY(line->portOpen());
        line->Output("hello");
        QCOMPARE(farEndReads(*pty_, 5), std::string("hello"));
    }

    void closedByItsOwnerStaysClosed()
    {
        const auto line = openLine();
        line->setPortOpen(false);
        QVERIFY_THROWS_EXCEPTION(Failure, line->Input());
        QVERIFY(!line->portOpen());
    }
};

QTEST_MAIN(SerialLineTest)
#include "tst_serialline.moc"
