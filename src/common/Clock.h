#pragma once

#include <QDateTime>
#include <chrono>
#include <functional>

namespace orva {

// The time as ORVA reads it: the wall clock for what the operator reads (an entry's time, the
// daily test's time of day), the monotonic clock for how long something has lasted, which no
// correction of the wall clock moves. The system's in service; tests move both of their own.
struct Clock {
    using Monotonic = std::chrono::steady_clock::time_point;

    std::function<QDateTime()> wall = &QDateTime::currentDateTime;
    std::function<Monotonic()> monotonic = &std::chrono::steady_clock::now;

    [[nodiscard]] QDateTime now() const { return wall(); }
    [[nodiscard]] Monotonic monotonicNow() const { return monotonic(); }
};

} // namespace orva
