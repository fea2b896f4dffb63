#include "config/SettingsReader.h"
#include "config/SettingsStore.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

namespace {

orva::SettingsStore read(const QByteArray& bytes)
{
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    orva::SettingsStore store;
    orva::readSettings(file, store);
    return store;
}

bool sameSettings(const orva::SettingsStore& a, const orva::SettingsStore& b)
{
    for (int slot = 0; slot < orva::kSlotCount; ++slot)
        for (const auto field : {orva::Field::Port, orva::Field::LineSettings, orva::Field::Length})
            if (a.text(slot, field) != b.text(slot, field) ||
                a.wasSet(slot, field) != b.wasSet(slot, field))
                return false;
    for (int key = 0; key < orva::kWatchKeyCount; ++key)
        if (a.watchText(static_cast<orva::WatchKey>(key)) !=
            b.watchText(static_cast<orva::WatchKey>(key)))
            return false;
    return true;
}

// The bytes without the one LF that may directly follow each CR.
QByteArray withoutLineFeedsAfterCr(const QByteArray& bytes)
{
    QByteArray kept;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        if (!(bytes[i] == '\n' && i > 0 && bytes[i - 1] == '\r'))
            kept.append(bytes[i]);
    return kept;
}

// The bytes with one more LF right after each CR.
QByteArray withLineFeedsAfterCr(const QByteArray& bytes)
{
    QByteArray grown;
    for (const char c : bytes) {
        grown.append(c);
        if (c == '\r')
            grown.append('\n');
    }
    return grown;
}

} // namespace

// An LF right after a CR never changes what the file sets. However the reader treats such an
// LF, one of the two comparisons below sets a reading that keeps every LF against a reading of
// the same lines without those LFs: a reader that keeps them is compared with itself on the bytes
// without them; a reader that skips one LF after each CR reads the bytes with one added after
// each CR as a keeping reader reads the input, and the input as it reads the bytes without them.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const orva::SettingsStore store = read(bytes);
    for (int slot = 0; slot < orva::kSlotCount; ++slot)
        for (const auto field : {orva::Field::Port, orva::Field::LineSettings, orva::Field::Length})
            if (store.text(slot, field).size() > 20)
                std::abort(); // values are cut at 20 characters
    if (!sameSettings(store, read(withoutLineFeedsAfterCr(bytes))))
        std::abort(); // an LF after a CR changed a setting
    if (!sameSettings(store, read(withLineFeedsAfterCr(bytes))))
        std::abort(); // an LF added after a CR changed a setting
    return 0;
}
