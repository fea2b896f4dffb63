#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <limits>

namespace orva {

// A burst as the alarm lines show it: every line feed read as a blank.
[[nodiscard]] QString unfoldLineFeeds(QString burst);

// The lines of a burst, split at every CR: n CRs give n + 1 lines, an empty burst none.
[[nodiscard]] QStringList splitBurst(const QString& burst);

// Whether an alarm line is sent: "." in column 1 or 2 marks an alarm point, and a state word
// ("RAN", "OK ", "LO ", "HI ") in columns 63 to 65 or 64 to 66 says it is no live alarm.
[[nodiscard]] bool shouldSend(QStringView line);

// The most characters the scan counts waiting on the alarm port.
constexpr std::int16_t kLargestCount = std::numeric_limits<std::int16_t>::max();

// The characters waiting on the alarm port as the scan counts them: at most 32767, so that a
// flood does not leave a stale count standing.
[[nodiscard]] std::int16_t pendingCount(qsizetype waiting);

// Whether a count can ever reach slot B's length threshold: one above 32767, or beyond any
// number, never does. A threshold without a number, 0 or below is reached at every scan.
[[nodiscard]] bool thresholdIsReachable(QStringView threshold);

// Whether enough characters wait for a burst to be taken: at least slot B's length threshold,
// read as a number (a threshold without one reads as 0). A threshold beyond any number is
// never reached.
[[nodiscard]] bool burstIsWaiting(std::int16_t pending, QStringView threshold);

} // namespace orva
