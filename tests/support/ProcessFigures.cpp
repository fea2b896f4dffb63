#include "ProcessFigures.h"

#include <QFile>
#include <QList>
#include <unistd.h>

namespace orva::test {

double processorSeconds(const QString& process)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(process));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    // After the command name in parentheses: user time and system time are the 12th and 13th.
    const QList<QByteArray> fields = stat.readAll().split(')').last().split(' ');
    return (fields.at(12).toDouble() + fields.at(13).toDouble()) / double(sysconf(_SC_CLK_TCK));
}

qint64 residentKiB(const QString& process)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(process));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

} // namespace orva::test
