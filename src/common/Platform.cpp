#include "Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

#ifdef Q_OS_WIN
#include <windows.h>
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
    if (QFileInfo(linked).exists())
        return linked;
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
}

QString computerName()
{
    return QSysInfo::machineHostName();
}

#endif

} // namespace orva::platform
