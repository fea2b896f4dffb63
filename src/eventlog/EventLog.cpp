#include "EventLog.h"

#include "common/Failure.h"
#include "common/Platform.h"
#include "common/ServiceManager.h"

#include <QFile>
#include <cstdio>

namespace orva {

EventLog::EventLog(QString folder, Clock clock)
    : folder_(std::move(folder))
    , clock_(std::move(clock))
{
}

void EventLog::write(const QString& text, Severity severity) const
{
    service::journal(text, severity);
    const QDateTime now = clock_();
    const QByteArray entry = formatLogEntry(now, text);
    try {
        append(logFileName(now.date()), entry);
    } catch (const Failure&) {
        keepOnStandardError(entry);
        throw;
    }
}

// A write that fails half way is taken back, so that the next entry starts on a line of its own.
// Only a regular file is written: a FIFO without a reader would block the program for good.
void EventLog::append(const QString& fileName, const QByteArray& entry) const
{
    const QString path = folder_ + u'/' + fileName; // an adopted descriptor forgets its name
    QFile file(path);
    // Unbuffered, so that a failed write leaves nothing behind to be written at closing.
    const QString error = platform::openRegularFile(file, QIODevice::WriteOnly | QIODevice::Append |
                                                              QIODevice::Unbuffered);
    if (!error.isEmpty())
        throw Failure(QStringLiteral("cannot open the event log %1: %2").arg(path, error));
    const qint64 sizeBefore = file.size();
    if (file.write(entry) != entry.size()) {
        const QString cause = file.errorString();
        file.resize(sizeBefore);
        throw Failure(QStringLiteral("cannot write the event log %1: %2").arg(path, cause));
    }
}

// An entry the log cannot take still reaches a terminal or the system journal.
void EventLog::keepOnStandardError(const QByteArray& entry)
{
    const QByteArray line = "ORVA: not logged: " + entry.chopped(sizeof kLogEntryEnd - 1) + '\n';
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
    std::fflush(stderr);
}

} // namespace orva
