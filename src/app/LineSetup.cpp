#include "LineSetup.h"

#include "alarm/Burst.h"
#include "common/Failure.h"
#include "common/NumericValue.h"
#include "common/VisibleText.h"
#include "config/SettingsStore.h"
#include "serial/SerialLine.h"

namespace orva {
namespace {

// A field that start-up needs; one that no line of the file set holds no setting at all.
QString requiredSetting(const SettingsStore& store, int slot, Field field)
{
    if (!store.wasSet(slot, field))
        throw Failure(
            QStringLiteral("settings.ini has no \"%1\" line").arg(settingsKey(slot, field)));
    return store.text(slot, field);
}

int portSetting(const SettingsStore& store, int slot)
{
    const QString text = requiredSetting(store, slot, Field::Port);
    const int number = portNumber(text).value_or(0); // beyond 16 bits: no port either
    if (number < SerialLine::kLowestPort || number > SerialLine::kHighestPort)
        throw Failure(QStringLiteral("%1 \"%2\" is not a port number from %3 to %4")
                          .arg(settingsKey(slot, Field::Port), visibleText(text))
                          .arg(SerialLine::kLowestPort)
                          .arg(SerialLine::kHighestPort));
    return number;
}

} // namespace

QString lineName(int slot)
{
    return slot == kSlotA ? QStringLiteral("port A (SMS modem)")
                          : QStringLiteral("port B (alarm port)");
}

void checkAlarmThreshold(const SettingsStore& store)
{
    const QString& threshold = store.text(kSlotB, Field::Length);
    if (!thresholdIsReachable(threshold))
        throw Failure(QStringLiteral("%1 \"%2\" can never be reached: at most %3 characters are "
                                     "counted")
                          .arg(settingsKey(kSlotB, Field::Length), visibleText(threshold))
                          .arg(kLargestCount));
}

void configureLine(SerialLine& line, const SettingsStore& store, int slot)
{
    line.setLineSettings(requiredSetting(store, slot, Field::LineSettings));
    line.setPortNumber(portSetting(store, slot));
    line.setReadLength(0);
}

} // namespace orva
