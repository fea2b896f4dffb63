#include "LogEntry.h"

namespace orva {

QByteArray formatLogEntry(const QDateTime& when, const QString& text)
{
    return when.toString(QStringLiteral("yyyyMMdd HH:mm:ss ")).toLatin1() + text.toLatin1() +
           kLogEntryEnd;
}

QString logFileName(const QDate& day)
{
    return QStringLiteral("Log%1.txt").arg(day.toString(QStringLiteral("yyyyMMdd")));
}

} // namespace orva
