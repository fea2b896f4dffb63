#include "SettingsFile.h"

#include "SettingsReader.h"
#include "common/Failure.h"
#include "common/Platform.h"

#include <QFile>

namespace orva {

QString settingsFilePath()
{
    return platform::dataFolder() + QStringLiteral("/settings.ini");
}

void readSettingsFile(const QString& path, SettingsStore& store)
{
    const QString kind = platform::nonRegularFileKind(path);
    if (!kind.isEmpty())
        throw Failure(
            QStringLiteral("the settings file %1 is %2, not a regular file").arg(path, kind));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(
            QStringLiteral("cannot open the settings file %1: %2").arg(path, file.errorString()));
    readSettings(file, store);
}

} // namespace orva
