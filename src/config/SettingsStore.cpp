#include "SettingsStore.h"

namespace orva {
namespace {

constexpr std::array<std::array<const char*, kFieldCount>, kSlotCount> kKeys{{
    {"PORT A:", "SETTINGS A:", "LENGTH A:"},
    {"PORT B:", "SETTINGS B:", "LENGTH B:"},
    {"HP:", "SETTINGS C:", "LENGTH C:"},
    {"PORT D:", "SETTINGS D:", "LENGTH D:"},
}};

// What each field holds until the file sets it; slot C's line settings start empty and its
// unused length field holds a word that is no number.
constexpr std::array<std::array<const char*, kFieldCount>, kSlotCount> kInitialTexts{{
    {"Text1", "Text7", "Text8"},
    {"Text1", "Text7", "Text8"},
    {"Text1", "", "Unused"},
    {"Text1", "Text7", "Text8"},
}};

constexpr std::array<const char*, kWatchKeyCount> kWatchKeys{
    "MODEM CHECK:", "TEST SMS:", "SILENCE B:"};

std::size_t index(Field field)
{
    return static_cast<std::size_t>(field);
}

} // namespace

QString settingsKey(int slot, Field field)
{
    return QString::fromLatin1(kKeys.at(static_cast<std::size_t>(slot)).at(index(field)));
}

QString watchKey(WatchKey key)
{
    return QString::fromLatin1(kWatchKeys.at(static_cast<std::size_t>(key)));
}

SettingsStore::SettingsStore()
{
    for (std::size_t slot = 0; slot < kInitialTexts.size(); ++slot)
        for (std::size_t field = 0; field < kFieldCount; ++field)
            texts_[slot][field] = QString::fromLatin1(kInitialTexts[slot][field]);
}

const QString& SettingsStore::text(int slot, Field field) const
{
    return texts_.at(static_cast<std::size_t>(slot)).at(index(field));
}

void SettingsStore::setText(int slot, Field field, const QString& text)
{
    texts_.at(static_cast<std::size_t>(slot)).at(index(field)) = text;
    set_.at(static_cast<std::size_t>(slot)).at(index(field)) = true;
}

bool SettingsStore::wasSet(int slot, Field field) const
{
    return set_.at(static_cast<std::size_t>(slot)).at(index(field));
}

const std::optional<QString>& SettingsStore::watchText(WatchKey key) const
{
    return watchTexts_.at(static_cast<std::size_t>(key));
}

void SettingsStore::setWatchText(WatchKey key, const QString& text)
{
    watchTexts_.at(static_cast<std::size_t>(key)) = text;
}

} // namespace orva
