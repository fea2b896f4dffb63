#include "WatchSettings.h"

#include "common/Failure.h"
#include "common/TimeOfDay.h"
#include "config/SettingsStore.h"

#include <algorithm>

namespace orva {
namespace {

[[noreturn]] void refuse(WatchKey key, const QString& text, const QString& why)
{
    throw Failure(QStringLiteral("%1 \"%2\" %3").arg(watchKey(key), text, why));
}

// The longest wait of each watch, in the unit its key counts in.
struct Longest {
    double count;
    const char* span;
    const char* unit;
};

Longest longest(WatchKey key)
{
    return key == WatchKey::ModemCheck ? Longest{24 * 60, "a day", "minutes"}
                                       : Longest{365 * 24, "a year", "hours"};
}

// Without a regular expression, whose compiled pattern would stay resident.
bool plainNumber(QStringView text)
{
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    return std::ranges::all_of(text, [&digit](QChar c) { return digit(c) || c == u'.'; }) &&
           std::ranges::count(text, u'.') <= 1 && std::ranges::any_of(text, digit);
}

// Digits with at most one point, blanks anywhere ignored as in every number; a value written
// any other way (a word, a comma, an exponent, a sign) would not say what the operator meant.
std::optional<double> duration(const SettingsStore& store, WatchKey key)
{
    const QString text = store.watchText(key).value_or(QString());
    QString compact = text;
    compact.remove(u' ').remove(u'\t').remove(u'\n');
    if (compact.isEmpty())
        return std::nullopt;
    if (!plainNumber(compact))
        refuse(key, text,
               QStringLiteral("is not a duration: a plain number such as 15 or 2.5 turns the "
                              "watch on, 0 or nothing turns it off"));
    const double value = compact.toDouble();
    if (const Longest most = longest(key); value > most.count)
        refuse(key, text,
               QStringLiteral("is beyond %1: at most %2 %3")
                   .arg(QLatin1String(most.span))
                   .arg(most.count)
                   .arg(QLatin1String(most.unit)));
    return value > 0 ? std::optional(value) : std::nullopt;
}

std::optional<QTime> dailyTime(const SettingsStore& store)
{
    const QString text = store.watchText(WatchKey::TestSms).value_or(QString());
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const auto at = timeOfDay(text);
    if (!at)
        refuse(WatchKey::TestSms, text,
               QStringLiteral("is no time of day: hh:mm, from 00:00 to 23:59"));
    return at;
}

std::chrono::milliseconds onTheClock(std::optional<double> count, std::chrono::milliseconds unit)
{
    return std::chrono::milliseconds(static_cast<qint64>(count.value_or(0) * unit.count()));
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

// Both fit in milliseconds: the settings hold no duration beyond a day or a year.
std::chrono::milliseconds WatchSettings::checkInterval() const
{
    return onTheClock(modemCheckMinutes, std::chrono::minutes(1));
}

std::chrono::milliseconds WatchSettings::silenceLimit() const
{
    return onTheClock(silenceHours, std::chrono::hours(1));
}

} // namespace orva
