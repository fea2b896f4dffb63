#include "EventLog.h"

#include "common/Failure.h"

#include <QFile>

namespace orva {

QByteArray formatLogEntry(const QDateTime& when, const QString& text)
{
    return when.toString(QStringLiteral("yyyyMMdd HH:mm:ss ")).toLatin1() + text.toLatin1() +
           QByteArrayLiteral("\n\r\n");
}

QString logFileName(const QDate& day)
{
    return QStringLiteral("Log%1.txt").arg(day.toString(QStringLiteral("yyyyMMdd")));
}

EventLog::EventLog(QString folder, Clock clock)
    : folder_(std::move(folder))
    , clock_(std::move(clock))
{
}

void EventLog::LogEvent(const QString& text) const
{
    const QDateTime now = clock_();
    QFile file(folder_ + u'/' + logFileName(now.date()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        throw Failure(QStringLiteral("cannot open the event log %1: %2")
                          .arg(file.fileName(), file.errorString()));
    const QByteArray entry = formatLogEntry(now, text);
    if (file.write(entry) != entry.size() || !file.flush())
        throw Failure(QStringLiteral("cannot write the event log %1: %2")
                          .arg(file.fileName(), file.errorString()));
}

} // namespace orva
