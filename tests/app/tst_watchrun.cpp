#include "eventlog/EventLog.h"
#include "support/Row.h"
#include "support/RunningProgram.h"

#include <QRegularExpression>
#include <QtTest>
#include <memory>

using namespace orva;

namespace {

const QString kNumber = "91234567";
const QString kCommands = "at+cmgf = 1\rAT+CMGS=\"91234567\"\r";

} // namespace

// The watch between alarms in the running program, on the simulated modem and alarm line: that
// it is wired to both lines and the log, and that it never gets in an alarm's way.
class WatchRunTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<test::RunningProgram> run_;

    void start(const QString& watches)
    {
        run_ = std::make_unique<test::RunningProgram>(*home_, watches);
    }

    test::ModemSimulator& modem() { return run_->devices.modem; }
    QStringList entries() const { return home_->logTexts(); }
    bool logged(const QString& entry) const { return entries().contains(entry); }
    bool loggedAfter(const QString& entry, const QString& earlier) const
    {
        const QStringList texts = entries();
        return texts.indexOf(entry, texts.indexOf(earlier) + 1) > texts.indexOf(earlier);
    }
    // The messages the modem took whose text matches the pattern.
    QStringList sent(const QString& pattern)
    {
        return modem().accepted().filter(QRegularExpression('^' + kNumber + '\t' + pattern + '$'));
    }
    // Waits out the given number of milliseconds while the program runs.
    static void runFor(int ms) { QTest::qWait(ms); }

private slots:
    void init() { home_ = std::make_unique<test::TestHome>(); }

    void cleanup()
    {
        run_.reset();
        home_.reset();
    }

    // The watch in the program: it reads the log of the run before, asks the modem on port A,
    // hears every alarm's outcome and sends through the same modem, whatever the alarm port
    // brings (every scan reads a burst here), and no check comes between the commands of a
    // message and its text. Its rules, in time, are the watch's own tests'.
    void lostAndBackThroughTheProgram()
    {
        EventLog(home_->dataFolder()).write("SMS Program Started"); // and no exit entry
        start("MODEM CHECK:0.005\r\nLENGTH B:0\r\n");               // every 0.3 s
        QTRY_COMPARE_WITH_TIMEOUT(sent("ORVA .+ restarted at .+ after an unclean end.+").size(), 1,
                                  10000);
        QTRY_VERIFY_WITH_TIMEOUT(modem().transcript().count("AT+CESQ\r") >= 2, 10000);
        modem().actOut("silent");
        QTRY_VERIFY_WITH_TIMEOUT(logged("Modem Lost: no answer"), 10000);
        run_->devices.sendBurst(".ZONE 9\r");
        const QString notSent = "No Respond from Modem, SMS not sent: .ZONE 9 " + kNumber;
        QTRY_VERIFY_WITH_TIMEOUT(loggedAfter(notSent, "Modem Lost: no answer"), 10000);
        modem().actOut("normal");
        QTRY_VERIFY_WITH_TIMEOUT(loggedAfter("Modem Restored", notSent), 10000);
        const QString restored =
            "ORVA .+: modem lost \\d\\d:\\d\\d to \\d\\d:\\d\\d, 1 alarms not sent, see the log";
        QTRY_COMPARE_WITH_TIMEOUT(sent(restored).size(), 1, 10000);
        QTRY_VERIFY(entries().last().endsWith("1 alarms not sent, see the log " + kNumber));
        QCOMPARE(entries().filter("Modem Lost").size(), 1);

        const qsizetype before = modem().transcript().size();
        run_->devices.sendBurst(".ONE\r.TWO\r.THREE\r");
        run_->program().showManualSms();
        emit run_->program().manualSmsWindow()->sendRequested("91234567", "by hand");
        QTRY_COMPARE_WITH_TIMEOUT(modem().accepted().size(), 6, 15000);
        QTRY_VERIFY_WITH_TIMEOUT(modem().transcript().mid(before).count("AT+CSQ\r") >= 3, 10000);
        const QRegularExpression transaction("at\\+cmgf = 1\\r(.*?)\\x1a",
                                             QRegularExpression::DotMatchesEverythingOption);
        int transactions = 0;
        for (const auto& match :
             transaction.globalMatch(QString::fromLatin1(modem().transcript().mid(before)))) {
            ++transactions;
            QVERIFY2(!match.captured(1).contains(QRegularExpression("AT(\\+C[A-Z5]+[?]?)?\\r")),
                     qPrintable(match.captured(1)));
        }
        QCOMPARE(transactions, 4);
    }

    // Without the keys, or with them off, not one byte more goes to the modem.
    void offMeansTodaysTraffic_data()
    {
        QTest::addColumn<QString>("watches");
        test::row("no keys", "");
        test::row("keys off", "MODEM CHECK:0\r\nTEST SMS:\r\nSILENCE B:\r\n");
    }

    void offMeansTodaysTraffic()
    {
        QFETCH(QString, watches);
        start(watches);
        runFor(1500);
        run_->devices.sendBurst(".ALARM\r");
        QTRY_VERIFY_WITH_TIMEOUT(modem().accepted(kNumber, ".ALARM"), 10000);
        runFor(1500);
        QCOMPARE(modem().transcript(), (kCommands + ".ALARM\x1a").toLatin1());
        QCOMPARE(entries(), (QStringList{"SMS Program Started", ".ALARM " + kNumber}));
    }
};

QTEST_MAIN(WatchRunTest)
#include "tst_watchrun.moc"
