#include "SettingsFile.h"

#include "SettingsReader.h"
#include "common/Failure.h"
#include "common/Platform.h"

#include <QFile>

namespace orva {
namespace {

// Far beyond any real settings file; a larger one, a sparse file of gigabytes say, would only
// keep start-up busy and eat memory.
constexpr qint64 kLargestSettingsFile = 1024 * 1024;

} // namespace

QString settingsFilePath()
{
    return platform::dataFolder() + QStringLiteral("/settings.ini");
}

void readSettingsFile(const QString& path, SettingsStore& store)
{
    QFile file(path);
    const QString error = platform::openRegularFile(file, QIODevice::ReadOnly);
    if (!error.isEmpty())
        throw Failure(QStringLiteral("cannot open the settings file %1: %2").arg(path, error));
    if (file.size() > kLargestSettingsFile)
        throw Failure(
            QStringLiteral("the settings file %1 is %2 bytes long; it may hold at most %3")
                .arg(path)
                .arg(file.size())
                .arg(kLargestSettingsFile));
    readSettings(file, store);
}

} // namespace orva
