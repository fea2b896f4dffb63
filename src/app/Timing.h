#pragma once

#include "common/Clock.h"

#include <chrono>

namespace orva {

// The program's waits and bounds and its clocks, each written here once and handed by
// constructor to the part that waits; tests pass shorter waits and clocks of their own the
// same way.
struct Timing {
    // The step of every wait of an SMS transaction.
    std::chrono::milliseconds modemWaitUnit{500};
    // How long a burst is given to come in once enough characters wait.
    std::chrono::milliseconds settleWait = std::chrono::seconds(10);
    // From one look at the alarm port to the next.
    std::chrono::milliseconds scanPeriod{1017};
    // How long the start-up failure message waits for its OK under a service manager.
    std::chrono::milliseconds unattendedFailureWait = std::chrono::seconds(60);
    // How long a check of the modem between alarms may hold up the scan.
    std::chrono::milliseconds watchCheckBound = std::chrono::seconds(3);
    // How often a message of the watch that failed goes again when the modem is not checked.
    std::chrono::milliseconds retryWithoutChecks = std::chrono::minutes(15);
    Clock clock = {};
};

} // namespace orva
