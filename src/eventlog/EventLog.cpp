#include "EventLog.h"

#include "common/Failure.h"
#include "system/Platform.h"
#include "system/ServiceManager.h"
#include "system/StandardError.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <utility>

namespace orva {

EventLog::EventLog(QString folder, Clock clock)
    : folder_(std::move(folder))
    , clock_(std::move(clock))
{
}

void EventLog::write(const QString& text, Severity severity)
{
    copyToJournal(text, severity);
    const QDateTime now = clock_.now();
    const QByteArray entry = formatLogEntry(now, text);
    try {
        append(logFileName(now.date()), entry);
    } catch (const Failure&) {
        keepOnStandardError(entry);
        throw;
    }
}

// The count is told once the journal takes entries again, in the file before the entry that
// found it back, when the file can take it.
void EventLog::copyToJournal(const QString& text, Severity severity)
{
    if (!service::journal(text, severity)) {
        ++notJournalled_;
        return;
    }
    if (notJournalled_ == 0)
        return;
    const QString told = QStringLiteral("Journal Error: %1 entries not taken by the system journal")
                             .arg(std::exchange(notJournalled_, 0));
    const QDateTime now = clock_.now();
    try {
        append(logFileName(now.date()), formatLogEntry(now, told));
    } catch (const Failure&) {
    }
    (void)service::journal(told, Severity::Warning);
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

// Only the end of each file is read, so that years of logs or a flooded day cost little.
QList<LoggedEntry> EventLog::readBack(const std::function<bool(const LoggedEntry&)>& reachesBack,
                                      int files) const
{
    constexpr qint64 kTailBytes = 256 * 1024;
    const QDate today = clock_.now().date();
    // No name filter: Qt matches one with a regular expression, whose library would stay
    // resident; logFileDay picks the logs. A file of a day still to come was written by a clock
    // that ran ahead.
    QStringList names = QDir(folder_).entryList(QDir::Files, QDir::Name | QDir::Reversed);
    names.removeIf([&today](const QString& name) {
        const auto day = logFileDay(name);
        return !day || *day > today;
    });
    QList<LoggedEntry> entries;
    for (const QString& name : names.first(std::min<qsizetype>(files, names.size()))) {
        QFile file(folder_ + u'/' + name);
        if (!platform::openRegularFile(file, QIODevice::ReadOnly).isEmpty())
            continue;
        const qint64 tail = std::min(file.size(), kTailBytes);
        if (!file.seek(file.size() - tail))
            continue;
        const QList<LoggedEntry> day = parseLogEntries(file.read(tail));
        entries = day + entries;
        if (std::ranges::any_of(day, reachesBack))
            break;
    }
    return entries;
}

// An entry the log cannot take still reaches a terminal or the system journal.
void EventLog::keepOnStandardError(const QByteArray& entry)
{
    writeStandardError("ORVA: not logged: " + entry.chopped(sizeof kLogEntryEnd - 1) + '\n');
}

} // namespace orva
