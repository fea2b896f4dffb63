#pragma once

#include <QString>
#include <array>

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

private:
    std::array<std::array<QString, kFieldCount>, kSlotCount> texts_;
    std::array<std::array<bool, kFieldCount>, kSlotCount> set_{};
};

} // namespace orva
