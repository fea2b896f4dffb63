#include "Burst.h"

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

} // namespace orva
