#include "DailyTest.h"

#include "WatchMessages.h"
#include "common/TimeOfDay.h"

namespace orva {

DailyTest::DailyTest(Clock clock)
    : clock_(std::move(clock))
{
}

void DailyTest::start(std::optional<QTime> at)
{
    at_ = at;
    tallySince_ = clock_.now();
    lastLook_ = tallySince_;
    if (at)
        next_ = nextTimeOfDay(tallySince_, *at);
}

// A clock put back (corrected after running fast, say) brings the test time back with it.
bool DailyTest::due()
{
    if (!next_)
        return false;
    const QDateTime now = clock_.now();
    if (now < std::exchange(lastLook_, now))
        next_ = nextTimeOfDay(now, *at_, testedOn_);
    return now >= *next_;
}

void DailyTest::taken()
{
    testedOn_ = next_->date();
    next_ = nextTimeOfDay(clock_.now(), *at_, testedOn_);
}

QString DailyTest::text(const QString& computer, const std::optional<SignalLevel>& signal) const
{
    return testSms(computer, tally_, tallySince_, signal);
}

void DailyTest::told(const QDateTime& written)
{
    tally_ = {};
    tallySince_ = written;
}

} // namespace orva
