#include "eventlog/EventLog.h"
#include "support/Failures.h"
#include "support/Row.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace orva;

using test::readFile;

namespace {

// What a step writes to standard error, which goes to a file meanwhile.
QByteArray standardErrorOf(const std::function<void()>& step)
{
    QTemporaryFile kept;
    const int original = ::dup(STDERR_FILENO);
    if (!kept.open() || ::dup2(kept.handle(), STDERR_FILENO) < 0)
        return "standard error not kept";
    step();
    std::fflush(stderr);
    ::dup2(original, STDERR_FILENO);
    ::close(original);
    kept.seek(0);
    return kept.readAll();
}

} // namespace

class EventLogTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QDateTime now_;

    EventLog log()
    {
        return EventLog(dir_.path(), Clock{.wall = [this] { return now_; }});
    }
    QString file(const char* day) { return dir_.path() + "/Log" + day + ".txt"; }

private slots:
    void init()
    {
        for (const QString& name :
             QDir(dir_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System))
            QFile::remove(dir_.filePath(name)) || QDir(dir_.filePath(name)).removeRecursively();
        now_ = QDateTime(QDate(2026, 3, 9), QTime(7, 5, 3));
    }

    void entryBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("expected");
        test::row("text", "SMS Program Started",
                  QByteArray("20260309 07:05:03 SMS Program Started\n\r\n"));
        test::row("empty", "", QByteArray("20260309 07:05:03 \n\r\n"));
        test::row("own line breaks", "a\r\nb\nc", QByteArray("20260309 07:05:03 a\r\nb\nc\n\r\n"));
        test::row("Latin-1 as single bytes", QString::fromLatin1("caf\xe9"),
                  QByteArray("20260309 07:05:03 caf\xe9\n\r\n"));
    }

    void entryBytes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, expected);
        log().write(text);
        QCOMPARE(readFile(file("20260309")), expected);
    }

    void appendsToEarlierEntries()
    {
        QFile earlier(file("20260309"));
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("from an earlier run\n\r\n");
        earlier.close();
        log().write("one");
        now_ = now_.addSecs(1);
        log().write("two");
        QCOMPARE(readFile(file("20260309")),
                 QByteArray("from an earlier run\n\r\n20260309 07:05:03 one\n\r\n"
                            "20260309 07:05:04 two\n\r\n"));
    }

    void midnightStartsANewFile()
    {
        now_ = QDateTime(QDate(2026, 3, 9), QTime(23, 59, 59));
        log().write("before");
        now_ = QDateTime(QDate(2026, 3, 10), QTime(0, 0, 0));
        log().write("after");
        QCOMPARE(readFile(file("20260309")), QByteArray("20260309 23:59:59 before\n\r\n"));
        QCOMPARE(readFile(file("20260310")), QByteArray("20260310 00:00:00 after\n\r\n"));
    }

    // What the log cannot take goes to standard error with its time instead, and no folder is
    // made; once the log can take entries, it takes them again. Only a regular file is written:
    // a FIFO without a reader would block for good.
    void unusableLog_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("cause");
        test::row("the folder missing", "missing", "No such file or directory");
        test::row("a folder where the file belongs", "folder",
                  "it is a directory, not a regular file");
        test::row("a FIFO without a reader", "fifo", "it is a FIFO, not a regular file");
    }

    void unusableLog()
    {
        QFETCH(QString, obstacle);
        QFETCH(QString, cause);
        const QString folder = dir_.path() + (obstacle == "missing" ? "/absent" : "");
        const QString path = folder + "/Log20260309.txt";
        if (obstacle == "fifo")
            QCOMPARE(::mkfifo(qPrintable(path), 0600), 0);
        else if (obstacle == "folder")
            QVERIFY(QDir().mkdir(path));
        EventLog log(folder, Clock{.wall = [this] { return now_; }});
        const QByteArray told = standardErrorOf([&] {
            test::expectFailure([&] { log.write("lost"); },
                                "cannot open the event log " + path + ": " + cause);
        });
        QCOMPARE(told, QByteArray("ORVA: not logged: 20260309 07:05:03 lost\n"));
        QCOMPARE(QFileInfo::exists(folder), obstacle != "missing");
        QVERIFY(obstacle == "missing" ? QDir().mkdir(folder)
                                      : QFile::remove(path) || QDir().rmdir(path));
        log.write("next");
        QCOMPARE(readFile(path), QByteArray("20260309 07:05:03 next\n\r\n"));
    }

    // A disk that fills up in the middle of an entry, staged with the file size limit.
    void entryCutShortIsTakenBack()
    {
        log().write("first");
        const QByteArray before = readFile(file("20260309"));
        rlimit original{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &original), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit full = original;
        full.rlim_cur = static_cast<rlim_t>(before.size() + 10);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &full), 0);
        test::expectFailure([this] { log().write(QString(100, u'x')); },
                            "cannot write the event log " + file("20260309") + ": ");
        setrlimit(RLIMIT_FSIZE, &original);
        std::signal(SIGXFSZ, previousHandler);
        QCOMPARE(readFile(file("20260309")), before);
        log().write("next");
        QCOMPARE(readFile(file("20260309")), before + "20260309 07:05:03 next\n\r\n");
    }
};

QTEST_GUILESS_MAIN(EventLogTest)
#include "tst_eventlog.moc"
