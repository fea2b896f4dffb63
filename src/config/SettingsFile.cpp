#include "SettingsFile.h"

#include "SettingsReader.h"
#include "common/Failure.h"
#include "system/Platform.h"

#include <QBuffer>
#include <QFile>

namespace orva {
namespace {

// Far beyond any real settings file; a larger one, a sparse file of gigabytes say, would only
// keep start-up busy and eat memory.
constexpr qint64 kLargestSettingsFile = 1024 * 1024;
constexpr qint64 kChunkSize = 64 * 1024;

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
    // Read to its end but no further than the bound: some files never end and say they are
    // empty (/proc/self/pagemap, say).
    QByteArray bytes;
    while (bytes.size() <= kLargestSettingsFile) {
        const QByteArray chunk = file.read(kChunkSize);
        if (file.error() != QFileDevice::NoError)
            throw Failure(QStringLiteral("cannot read the settings file %1: %2")
                              .arg(path, file.errorString()));
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    if (bytes.size() > kLargestSettingsFile)
        throw Failure(QStringLiteral("the settings file %1 holds more than %2 bytes")
                          .arg(path)
                          .arg(kLargestSettingsFile));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    readSettings(buffer, store);
}

} // namespace orva
