#pragma once

#include <QString>
#include <array>
#include <optional>

namespace orva {

// The three fields of a slot, in the order the settings file is searched for them.
enum class Field { Port, LineSettings, Length };

constexpr int kSlotCount = 4;
constexpr int kFieldCount = 3;
constexpr int kSlotA = 0; // the SMS modem line
constexpr int kSlotB = 1; // the alarm line
constexpr int kSlotC = 2; // its port field holds the handphone number

// The key of a field in settings.ini, which is also the caption shown beside it.
QString settingsKey(int slot, Field field);

// The optional keys that ask ORVA to watch the path between alarms. They are found like the
// others but belong to no slot, so the settings window does not show them.
enum class WatchKey { ModemCheck, TestSms, SilenceB };
constexpr int kWatchKeyCount = 3;
QString watchKey(WatchKey key);

// The whole configuration: twelve texts in four slots, kept exactly as read.
class SettingsStore {
public:
    SettingsStore();

    const QString& text(int slot, Field field) const;
    void setText(int slot, Field field, const QString& text);
    // Whether the field was ever set, or still holds its initial text.
    [[nodiscard]] bool wasSet(int slot, Field field) const;
    // The handphone number the alarms go to, kept in slot C's port field.
    const QString& handphoneNumber() const { return text(kSlotC, Field::Port); }

    // An optional key's value; none when the file does not hold the key.
    const std::optional<QString>& watchText(WatchKey key) const;
    void setWatchText(WatchKey key, const QString& text);

private:
    std::array<std::array<QString, kFieldCount>, kSlotCount> texts_;
    std::array<std::array<bool, kFieldCount>, kSlotCount> set_{};
    std::array<std::optional<QString>, kWatchKeyCount> watchTexts_;
};

} // namespace orva
