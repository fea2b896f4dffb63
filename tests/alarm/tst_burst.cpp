#include "alarm/Burst.h"
#include "support/Row.h"

#include <QtTest>

using namespace orva;

namespace {

// A record of the given length with text placed at a 1-based column.
QString record(int length, int column = 1, const QString& text = {})
{
    QString line(length, u'-');
    line.replace(column - 1, text.size(), text);
    return line.left(std::max<qsizetype>(length, column - 1 + text.size()));
}

} // namespace

class BurstTest : public QObject {
    Q_OBJECT

private slots:
    void verdict_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("sent");
        test::row("marker 1", record(40, 1, "."), true);
        test::row("marker 2", record(40, 2, "."), true);
        test::row("no marker", record(80), false);
        test::row("marker 3 is no marker", record(40, 3, "."), false);
        test::row("empty", "", false);
        test::row("single blank", " ", false);
        test::row("dot alone", ".", true);
        test::row("blank then dot", " .", true);
        for (const char* word : {"RAN", "OK ", "LO ", "HI "}) {
            const QString w = word;
            QTest::addRow("%s at 63, marker 1", word) << "." + record(79, 63, w).mid(1) << false;
            QTest::addRow("%s at 64, marker 2", word) << "-." + record(79, 64, w).mid(2) << false;
            QTest::addRow("%s at 63, no marker", word) << record(79, 63, w) << false;
        }
        test::row("state word ends the line", "." + record(65, 63, "RAN").mid(1), false);
        test::row("HI at 63 only two wide", "." + record(64, 63, "HI").mid(1), true);
        test::row("64 characters with OK cut", "." + record(64, 63, "OK").mid(1), true);
        test::row("lower-case ok", "." + record(79, 63, "ok ").mid(1), true);
        test::row("OK without blank", "." + record(79, 63, "OKX").mid(1), true);
        test::row("state word at 62", "." + record(79, 62, "RAN").mid(1), true);
        test::row("state word at 65", "." + record(79, 65, "RAN").mid(1), true);
        test::row("RAN at 66 with marker", "." + record(79, 66, "RAN").mid(1), true);
    }

    void verdict()
    {
        QFETCH(QString, line);
        QTEST(shouldSend(line), "sent");
    }

    void split_data()
    {
        QTest::addColumn<QString>("burst");
        QTest::addColumn<QStringList>("lines");
        test::row("empty", "", QStringList{});
        test::row("no CR", "one line", QStringList{"one line"});
        test::row("letter CR LF", "A\r\n", QStringList{"A", " "});
        test::row("n CRs give n + 1 lines", "a\rb\r", QStringList{"a", "b", ""});
        test::row("empty lines", "\r\r", QStringList{"", "", ""});
        test::row("LF inside a line", "a\nb\rc", QStringList{"a b", "c"});
        test::row("CR LF records", ".1\r\n.2\r\n", QStringList{".1", " .2", " "});
    }

    void split()
    {
        QFETCH(QString, burst);
        QTEST(splitBurst(unfoldLineFeeds(burst)), "lines");
    }

    // When enough characters wait for a burst to be read, and whether a threshold can ever be
    // reached: one that cannot would never let a burst be read, and start-up refuses it. A
    // threshold without a number lets every cycle take a burst, even an empty one.
    void threshold_data()
    {
        QTest::addColumn<int>("pending");
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<bool>("waiting");
        QTest::addColumn<bool>("reachable");
        test::row("below", 11, "12abc", false, true);
        test::row("reached, a leading number", 12, "12abc", true, true);
        test::row("empty", 0, "", true, true);
        test::row("not a number", 0, "Text8", true, true);
        test::row("zero", 0, "0", true, true);
        test::row("negative", 0, "-3", true, true);
        test::row("largest count", 32767, "32767", true, true);
        test::row("one more", 32767, "32768", false, false);
        test::row("fraction above", 32767, "32767.5", false, false);
        test::row("forty thousand", 32767, "40000", false, false);
        test::row("beyond any number", 32767, "1E400", false, false);
        test::row("far beyond any number", 32767, "1E999", false, false);
    }

    void threshold()
    {
        QFETCH(int, pending);
        QFETCH(QString, threshold);
        QTEST(burstIsWaiting(std::int16_t(pending), threshold), "waiting");
        QTEST(thresholdIsReachable(threshold), "reachable");
    }

    void countsBeyondRange()
    {
        QCOMPARE(pendingCount(40000), 32767);
        QCOMPARE(pendingCount(32767), 32767);
        QCOMPARE(pendingCount(12), 12);
    }

    void thirtyLines()
    {
        QStringList records;
        for (int i = 0; i < 30; ++i)
            records << QString::number(i);
        const QStringList lines = splitBurst(records.join(u'\r'));
        QCOMPARE(lines.size(), 30);
        QCOMPARE(lines.last(), "29");
    }
};

QTEST_GUILESS_MAIN(BurstTest)
#include "tst_burst.moc"
