#include "LogEntry.h"

namespace orva {

namespace {

const QString kStampFormat = QStringLiteral("yyyyMMdd HH:mm:ss");

} // namespace

QByteArray formatLogEntry(const QDateTime& when, const QString& text)
{
    return (when.toString(kStampFormat) + u' ' + text).toLatin1() + kLogEntryEnd;
}

QString logFileName(const QDate& day)
{
    return QStringLiteral("Log%1.txt").arg(day.toString(QStringLiteral("yyyyMMdd")));
}

std::optional<QDate> logFileDay(const QString& fileName)
{
    if (fileName.size() != 15 || !fileName.startsWith(u"Log") || !fileName.endsWith(u".txt"))
        return std::nullopt;
    const QDate day = QDate::fromString(fileName.mid(3, 8), QStringLiteral("yyyyMMdd"));
    return day.isValid() ? std::optional(day) : std::nullopt;
}

namespace {

// The number the digits at [from, from + count) of a line stand for; -1 when one is no digit.
int digitsAt(QByteArrayView line, qsizetype from, qsizetype count)
{
    int value = 0;
    for (const char c : line.sliced(from, count)) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "yyyyMMdd HH:mm:ss" read by hand: a day's file may hold many thousand entries.
std::optional<LoggedEntry> entryOf(QByteArrayView line, qsizetype textStart)
{
    if (line[8] != ' ' || line[11] != ':' || line[14] != ':')
        return std::nullopt;
    const QDate day(digitsAt(line, 0, 4), digitsAt(line, 4, 2), digitsAt(line, 6, 2));
    const QTime time(digitsAt(line, 9, 2), digitsAt(line, 12, 2), digitsAt(line, 15, 2));
    if (!day.isValid() || !time.isValid())
        return std::nullopt;
    return LoggedEntry{day, time, QString::fromLatin1(line.sliced(textStart))};
}

} // namespace

// Entries are split at the line end CR LF; the LF in front of it belongs to the entry's end.
QList<LoggedEntry> parseLogEntries(const QByteArray& file)
{
    QList<LoggedEntry> entries;
    const qsizetype stampLength = kStampFormat.size() + 1;
    for (qsizetype start = 0, end = 0; start < file.size(); start = end + 2) {
        end = file.indexOf("\r\n", start);
        if (end < 0)
            end = file.size();
        QByteArrayView line = QByteArrayView(file).sliced(start, end - start);
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.size() < stampLength || line[stampLength - 1] != ' ')
            continue;
        if (auto entry = entryOf(line, stampLength))
            entries.append(std::move(*entry));
    }
    return entries;
}

} // namespace orva
