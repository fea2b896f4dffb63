// Times ORVA's fixed waits on the real code: the settle wait, and a successful and a failed
// modem transaction against the simulators linked as COM4 (answering) and COM3 (silent) in
// $HOME/ORVA; and what start-up spends reading back a month of large logs with no episode in
// them, the most it reads. Prints one "name: value" line per figure.

#include "alarm/SettleWait.h"
#include "app/Recording.h"
#include "app/Timing.h"
#include "eventlog/EventLog.h"
#include "eventlog/LogEntry.h"
#include "messaging/SmsModem.h"
#include "serial/SerialLine.h"
#include "system/Platform.h"
#include "watch/PreviousRun.h"

#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;

double processorSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double timeTransaction(int port)
{
    orva::SerialLine line(QStringLiteral("bench port"));
    line.setLineSettings(QStringLiteral("9600,n,8,1"));
    line.setPortNumber(port);
    line.open();
    orva::EventLog log(orva::platform::dataFolder());
    orva::SmsModem modem(line, orva::Timing{}.smsWaits(),
                         [&log](const orva::Event& event) { return orva::logEvent(log, event); });
    const auto start = Clock::now();
    modem.send(QStringLiteral("91234567"), QStringLiteral(".BENCH ALARM"));
    return secondsSince(start);
}

// 31 days of 60000 entries (6 MB) each, none of them an episode's boundary.
double timeReadBack()
{
    const QTemporaryDir folder;
    const QDate today = QDate::currentDate();
    const QByteArray entry =
        orva::formatLogEntry(QDateTime::currentDateTime(),
                             QStringLiteral(".ZONE 12  FIRE ALARM    BLDG A LEVEL 3 91234567"));
    for (int day = 0; day < 31; ++day) {
        QFile file(folder.path() + u'/' + orva::logFileName(today.addDays(-day)));
        if (!file.open(QIODevice::WriteOnly) || file.write(entry.repeated(60000)) < 0)
            throw std::runtime_error("cannot write the logs to read back");
    }
    const orva::EventLog log(folder.path());
    const auto start = Clock::now();
    (void)orva::previousRun(log.readBack(orva::episodeBoundary, 31));
    return secondsSince(start);
}

} // namespace

int main(int argc, char* argv[])
try {
    QApplication application(argc, argv);
    const double processorBefore = processorSeconds();
    const auto start = Clock::now();
    orva::waitWhileSettling(orva::Timing{}.settleWait);
    const double settle = secondsSince(start);
    const double settleProcessor = processorSeconds() - processorBefore;
    std::printf("settle wait: %.3f s\n", settle);
    std::printf("settle wait processor use: %.2f %% of one core\n", 100 * settleProcessor / settle);
    std::printf("successful transaction: %.3f s\n", timeTransaction(4));
    std::printf("failed transaction: %.3f s\n", timeTransaction(3));
    std::printf("read back of 31 days of logs: %.3f s\n", timeReadBack());
    return 0;
} catch (const std::exception& failure) {
    std::fprintf(stderr, "orva-bench-waits: %s\n", failure.what());
    return 1;
}
