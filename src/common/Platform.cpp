#include "Platform.h"

#include "Failure.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orva::platform {

#ifdef Q_OS_WIN

QString dataFolder()
{
    return QStringLiteral("C:\\ORVA");
}

QString serialDevice(int portNumber)
{
    return QStringLiteral("COM%1").arg(portNumber);
}

QString deviceBehind(const QString& portName)
{
    return portName;
}

bool accessDenied(const QString&)
{
    return false;
}

QString nonRegularFileKind(const QString& path)
{
    const QFileInfo entry(path);
    if (!entry.exists() || entry.isFile())
        return {};
    return entry.isDir() ? QStringLiteral("a directory") : QStringLiteral("a device");
}

QString computerName()
{
    char buffer[256] = {};
    DWORD size = sizeof buffer - 1;
    GetComputerNameA(buffer, &size);
    return QString::fromLocal8Bit(buffer);
}

#else

QString dataFolder()
{
    return QDir::homePath() + QStringLiteral("/ORVA");
}

QString serialDevice(int portNumber)
{
    const QString linked = dataFolder() + QStringLiteral("/COM%1").arg(portNumber);
    const QFileInfo entry(linked);
    if (entry.exists() || entry.isSymLink())
        return linked;
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
}

// Resolved at every open, so that a replugged adapter is found wherever its link points now
// and the lock taken on opening names the real device.
QString deviceBehind(const QString& portName)
{
    const QFileInfo entry(portName);
    if (!entry.isSymLink())
        return portName;
    const QString target = entry.canonicalFilePath();
    if (target.isEmpty())
        throw Failure(QStringLiteral("the link %1 points to %2, which does not exist")
                          .arg(portName, entry.symLinkTarget()));
    return target;
}

bool accessDenied(const QString& device)
{
    return ::access(QFile::encodeName(device).constData(), R_OK | W_OK) != 0 && errno == EACCES;
}

QString nonRegularFileKind(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || S_ISREG(status.st_mode))
        return {};
    if (S_ISFIFO(status.st_mode))
        return QStringLiteral("a FIFO");
    if (S_ISCHR(status.st_mode))
        return QStringLiteral("a character device");
    if (S_ISBLK(status.st_mode))
        return QStringLiteral("a block device");
    if (S_ISDIR(status.st_mode))
        return QStringLiteral("a directory");
    if (S_ISSOCK(status.st_mode))
        return QStringLiteral("a socket");
    return QStringLiteral("something else");
}

QString computerName()
{
    return QSysInfo::machineHostName();
}

#endif

} // namespace orva::platform
