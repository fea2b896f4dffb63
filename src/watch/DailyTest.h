#pragma once

#include "AlarmTally.h"
#include "common/Clock.h"
#include "messaging/SignalLevel.h"

#include <QDateTime>
#include <optional>

namespace orva {

// The daily test message: when it is due, and the live alarms sent and not sent that it counts
// since the test before (or since start-up). It is due at the first look after its time of day;
// a day on which ORVA did not run then is not caught up, and a clock put back never brings a
// second test on the day of the latest.
class DailyTest {
public:
    explicit DailyTest(Clock clock);

    // Tests every day at the given time (none: never), counting from now.
    void start(std::optional<QTime> at);
    [[nodiscard]] bool due();
    // The test is on its way: the next is due on a later day.
    void taken();
    // A live alarm's outcome.
    void count(const SmsOutcome& outcome) { tally_.count(outcome); }
    [[nodiscard]] QString text(const QString& computer,
                               const std::optional<SignalLevel>& signal) const;
    // The test went, written at the given time: the next counts from then.
    void told(const QDateTime& written);

private:
    Clock clock_;
    std::optional<QTime> at_;
    std::optional<QDateTime> next_;
    std::optional<QDate> testedOn_; // the day of the latest test
    QDateTime lastLook_;            // the wall clock when the test last looked at it
    AlarmTally tally_;
    QDateTime tallySince_;
};

} // namespace orva
