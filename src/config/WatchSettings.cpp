#include "WatchSettings.h"

#include "SettingsStore.h"
#include "common/Failure.h"
#include "common/NumericValue.h"
#include "common/TimeOfDay.h"

namespace orva {
namespace {

[[noreturn]] void refuse(WatchKey key, const QString& text, const char* why)
{
    throw Failure(QStringLiteral("%1 \"%2\" %3").arg(watchKey(key), text, QLatin1String(why)));
}

std::optional<double> duration(const SettingsStore& store, WatchKey key)
{
    const QString text = store.watchText(key).value_or(QString());
    const std::optional<double> read = numericValue(text);
    if (!read)
        refuse(key, text, "is beyond any number");
    const double value = *read;
    if (value < 0)
        refuse(key, text, "is below zero: a positive number turns the watch on, 0 turns it off");
    return value > 0 ? std::optional(value) : std::nullopt;
}

std::optional<QTime> dailyTime(const SettingsStore& store)
{
    const QString text = store.watchText(WatchKey::TestSms).value_or(QString());
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const auto at = timeOfDay(text);
    if (!at)
        refuse(WatchKey::TestSms, text, "is no time of day: hh:mm, from 00:00 to 23:59");
    return at;
}

} // namespace

WatchSettings readWatchSettings(const SettingsStore& store)
{
    return {duration(store, WatchKey::ModemCheck), dailyTime(store),
            duration(store, WatchKey::SilenceB)};
}

QStringList describeWatchSettings(const WatchSettings& settings)
{
    const QString off = QStringLiteral("off");
    const auto& [minutes, at, hours] = settings;
    return {
        QStringLiteral("Modem check: ") +
            (minutes ? QStringLiteral("every %1 min").arg(*minutes) : off),
        QStringLiteral("Test SMS: ") +
            (at ? QStringLiteral("every day at %1").arg(at->toString(u"hh:mm")) : off),
        QStringLiteral("Alarm port silence: ") +
            (hours ? QStringLiteral("an alert after %1 h without a byte").arg(*hours) : off),
    };
}

} // namespace orva
