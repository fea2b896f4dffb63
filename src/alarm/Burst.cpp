#include "Burst.h"

#include "common/NumericValue.h"

#include <algorithm>
#include <array>

namespace orva {
namespace {

constexpr std::array<QStringView, 4> kStateWords{u"RAN", u"OK ", u"LO ", u"HI "};
constexpr qsizetype kStateColumn = 63; // counted from 1; a leading blank moves it to 64
constexpr qsizetype kStateWidth = 3;

} // namespace

QString unfoldLineFeeds(QString burst)
{
    return burst.replace(u'\n', u' ');
}

QStringList splitBurst(const QString& burst)
{
    if (burst.isEmpty())
        return {};
    return burst.split(u'\r');
}

bool shouldSend(QStringView line)
{
    const QStringView first = line.mid(kStateColumn - 1, kStateWidth);
    const QStringView second = line.mid(kStateColumn, kStateWidth);
    if (std::ranges::any_of(kStateWords,
                            [&](QStringView word) { return first == word || second == word; }))
        return false;
    return line.startsWith(u'.') || line.mid(1, 1) == u".";
}

std::int16_t pendingCount(qsizetype waiting)
{
    return static_cast<std::int16_t>(std::min<qsizetype>(waiting, kLargestCount));
}

bool thresholdIsReachable(QStringView threshold)
{
    const std::optional<double> value = numericValue(threshold);
    return value && *value <= kLargestCount;
}

bool burstIsWaiting(std::int16_t pending, QStringView threshold)
{
    const std::optional<double> value = numericValue(threshold);
    return value && pending >= *value;
}

} // namespace orva
