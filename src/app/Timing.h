#pragma once

#include "common/Clock.h"

#include <chrono>

namespace orva {

// The program's fixed waits and its clock, each written here once and handed to the parts
// that wait; tests pass shorter waits and a clock of their own the same way.
struct Timing {
    // The step of every wait of an SMS transaction.
    std::chrono::milliseconds modemWaitUnit{500};
    // How long a burst is given to come in once enough characters wait.
    std::chrono::milliseconds settleWait = std::chrono::seconds(10);
    // From one look at the alarm port to the next.
    std::chrono::milliseconds scanPeriod{1017};
    // How long the start-up failure message waits for its OK under a service manager.
    std::chrono::milliseconds unattendedFailureWait = std::chrono::seconds(60);
    Clock clock = &QDateTime::currentDateTime;
};

} // namespace orva
