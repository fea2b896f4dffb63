#pragma once

#include <QDateTime>
#include <QStringView>
#include <QTime>
#include <optional>

namespace orva {

// A time of day written hh:mm (00:00 to 23:59; one digit of hours will do), blanks anywhere
// ignored as in numbers; none for any other text.
[[nodiscard]] std::optional<QTime> timeOfDay(QStringView text);

// The first moment strictly after a given one at which the clock shows the time of day: later
// the same day, or else the next day; on the day the clock skips it, as long after the day's
// start as it says. A day that has passed is never caught up, and the day on which the time
// was reached already (doneOn, before a clock put back) is passed over, unless it is still to
// come: a clock that ran ahead reached it.
[[nodiscard]] QDateTime nextTimeOfDay(const QDateTime& after, QTime at,
                                      std::optional<QDate> doneOn = std::nullopt);

} // namespace orva
