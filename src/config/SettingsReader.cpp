#include "SettingsReader.h"

#include "SettingsStore.h"
#include "common/Failure.h"

#include <QIODevice>
#include <array>
#include <optional>

namespace orva {
namespace {

constexpr int kValueLength = 20;
constexpr qint64 kChunkSize = 64 * 1024;

QByteArray readChunk(QIODevice& device)
{
    QByteArray chunk = device.read(kChunkSize);
    if (chunk.isEmpty() && !device.atEnd())
        throw Failure(QStringLiteral("cannot read the settings: %1").arg(device.errorString()));
    return chunk;
}

// The twelve keys as the file holds them, in the order they are searched for.
const std::array<std::array<QByteArray, kFieldCount>, kSlotCount>& keysInFile()
{
    static const auto keys = [] {
        std::array<std::array<QByteArray, kFieldCount>, kSlotCount> latin1;
        for (int slot = 0; slot < kSlotCount; ++slot)
            for (int field = 0; field < kFieldCount; ++field)
                latin1[slot][field] = settingsKey(slot, static_cast<Field>(field)).toLatin1();
        return latin1;
    }();
    return keys;
}

// The optional keys as the file holds them, in WatchKey's order.
const std::array<QByteArray, kWatchKeyCount>& watchKeysInFile()
{
    static const auto keys = [] {
        std::array<QByteArray, kWatchKeyCount> latin1;
        for (int key = 0; key < kWatchKeyCount; ++key)
            latin1[key] = watchKey(static_cast<WatchKey>(key)).toLatin1();
        return latin1;
    }();
    return keys;
}

// The value of key in a line: up to 20 characters after its first occurrence; none without it.
std::optional<QString> valueAfter(const QByteArray& line, const QByteArray& key)
{
    const qsizetype at = line.indexOf(key);
    if (at < 0)
        return std::nullopt;
    return QString::fromLatin1(line.mid(at + key.size(), kValueLength));
}

} // namespace

void applySettingsLine(const QByteArray& line, SettingsStore& store)
{
    for (int slot = 0; slot < kSlotCount; ++slot)
        for (const Field field : {Field::Port, Field::LineSettings, Field::Length})
            if (const auto value = valueAfter(line, keysInFile()[slot][static_cast<int>(field)]))
                store.setText(slot, field, *value);
    for (int key = 0; key < kWatchKeyCount; ++key)
        if (const auto value = valueAfter(line, watchKeysInFile()[key]))
            store.setWatchText(static_cast<WatchKey>(key), *value);
}

void readSettings(QIODevice& device, SettingsStore& store)
{
    QByteArray line;
    for (QByteArray chunk = readChunk(device); !chunk.isEmpty(); chunk = readChunk(device)) {
        for (const char c : chunk) {
            if (c == '\r') {
                applySettingsLine(line, store);
                line.clear();
            } else {
                line.append(c);
            }
        }
    }
    if (!line.isEmpty())
        applySettingsLine(line, store);
}

} // namespace orva
