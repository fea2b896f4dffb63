#include "TimeOfDay.h"

#include <QTimeZone>
#include <algorithm>

namespace orva {

namespace {

// A number of exactly one or two digits, as hours or minutes are written; -1 for anything else.
int digits(QStringView text, qsizetype least)
{
    if (text.size() < least || text.size() > 2 ||
        !std::ranges::all_of(text, [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return -1;
    return text.toInt();
}

} // namespace

std::optional<QTime> timeOfDay(QStringView text)
{
    QString compact = text.toString();
    compact.remove(u' ').remove(u'\t');
    const qsizetype colon = compact.indexOf(u':');
    if (colon < 0)
        return std::nullopt;
    const int hours = digits(QStringView(compact).first(colon), 1);
    const int minutes = digits(QStringView(compact).sliced(colon + 1), 2);
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59)
        return std::nullopt;
    return QTime(hours, minutes);
}

namespace {

// A time the clock skips when it is put forward (an invalid moment to Qt) comes as long after
// the day's start as it says, so later that day instead of not at all.
QDateTime onDay(QDate day, QTime at, const QTimeZone& zone)
{
    const QDateTime moment(day, at, zone);
    return moment.isValid() ? moment
                            : day.startOfDay(zone).addSecs(at.msecsSinceStartOfDay() / 1000);
}

} // namespace

QDateTime nextTimeOfDay(const QDateTime& after, QTime at, std::optional<QDate> doneOn)
{
    const QTimeZone zone = after.timeZone();
    const QDateTime sameDay = onDay(after.date(), at, zone);
    const QDateTime next = sameDay > after ? sameDay : onDay(after.date().addDays(1), at, zone);
    // A day still to come was done by a clock that ran ahead: it comes again.
    const bool doneAlready = next.date() == doneOn && *doneOn <= after.date();
    return doneAlready ? onDay(next.date().addDays(1), at, zone) : next;
}

} // namespace orva
