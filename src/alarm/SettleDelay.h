#pragma once

#include <chrono>

namespace orva {

// Waits for a burst to come in completely, letting window events run meanwhile. The thread
// sleeps until an event or the deadline, measured on a monotonic clock.
void SettleDelay(std::chrono::milliseconds wait = std::chrono::seconds(10));

} // namespace orva
