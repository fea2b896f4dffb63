#include "Platform.h"

#include "common/Failure.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

bool hasOneAndHalfStopBits()
{
    return true;
}

void neverWaitOnStandardError()
{
}

QString openRegularFile(QFile& file, QIODevice::OpenMode mode)
{
    const QFileInfo entry(file.fileName());
    if (entry.exists() && !entry.isFile())
        return QStringLiteral("it is %1, not a regular file")
            .arg(entry.isDir() ? QStringLiteral("a directory") : QStringLiteral("a device"));
    return file.open(mode) ? QString() : file.errorString();
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

bool hasOneAndHalfStopBits()
{
    return false;
}

// Only a socket: a terminal's settings are shared with the shell that started ORVA.
void neverWaitOnStandardError()
{
    struct stat error {};
    if (::fstat(STDERR_FILENO, &error) == 0 && S_ISSOCK(error.st_mode))
        ::fcntl(STDERR_FILENO, F_SETFL, ::fcntl(STDERR_FILENO, F_GETFL) | O_NONBLOCK);
}

namespace {

QString fileKind(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO");
    if (S_ISCHR(mode))
        return QStringLiteral("a character device");
    if (S_ISBLK(mode))
        return QStringLiteral("a block device");
    if (S_ISDIR(mode))
        return QStringLiteral("a directory");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("something else");
}

QString notRegular(mode_t mode)
{
    return QStringLiteral("it is %1, not a regular file").arg(fileKind(mode));
}

} // namespace

// Looked at before it is opened, so that no device or FIFO is ever opened, and once more
// through the open descriptor, so that nothing put in its place meanwhile is used.
QString openRegularFile(QFile& file, QIODevice::OpenMode mode)
{
    const QByteArray path = QFile::encodeName(file.fileName());
    struct stat before {};
    const bool existed = ::stat(path.constData(), &before) == 0;
    if (existed && !S_ISREG(before.st_mode))
        return notRegular(before.st_mode);
    const int access = mode & QIODevice::WriteOnly ? O_WRONLY | O_APPEND | O_CREAT : O_RDONLY;
    const int fd = ::open(path.constData(), access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    struct stat opened {};
    QString refusal;
    if (::fstat(fd, &opened) != 0)
        refusal = QString::fromLocal8Bit(std::strerror(errno));
    else if (!S_ISREG(opened.st_mode))
        refusal = notRegular(opened.st_mode);
    else if (existed && (opened.st_dev != before.st_dev || opened.st_ino != before.st_ino))
        refusal = QStringLiteral("it was replaced while being opened");
    const int flags = ::fcntl(fd, F_GETFL);
    if (refusal.isEmpty() && (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0))
        refusal = QString::fromLocal8Bit(std::strerror(errno));
    if (refusal.isEmpty() && !file.open(fd, mode, QFileDevice::AutoCloseHandle))
        refusal = file.errorString();
    if (!refusal.isEmpty())
        ::close(fd);
    return refusal;
}

QString computerName()
{
    return QSysInfo::machineHostName();
}

#endif

} // namespace orva::platform
