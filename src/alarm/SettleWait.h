#pragma once

#include <chrono>

namespace orva {

// Waits for a burst to come in completely, letting window events run meanwhile. The thread
// sleeps until an event or the deadline, measured on a monotonic clock.
void waitWhileSettling(std::chrono::milliseconds wait);

} // namespace orva
