#pragma once

#include "common/Severity.h"

#include <QString>
#include <algorithm>
#include <chrono>

// What ORVA tells the service manager that started it and the system journal. Without a
// service manager listening (no NOTIFY_SOCKET) the notifications do nothing; without a journal
// the entries go nowhere; in a build without libsystemd nothing here does anything.
namespace orva::service {

// Whether a service manager started ORVA and listens to it.
[[nodiscard]] bool supervised();

// ORVA has started and serves.
void ready();
// What the status line shows now.
void status(const QString& text);
// ORVA is ending.
void stopping();

// How often the service manager's watchdog wants to hear from ORVA; zero when it does not.
[[nodiscard]] std::chrono::microseconds watchdogInterval();

// How often ORVA tells the watchdog, in parts of its interval.
struct WatchdogPace {
    int pingParts;                         // the event loop tells it once every such part
    std::chrono::milliseconds longestPing; // and at least this often
    int keepAliveParts;                    // keepAlive tells it at most once every such part
};
// How often the event loop tells the watchdog, for any interval it may ask: one part of it; 0,
// at every turn of the loop, for the tiniest, and at least every longestPing.
[[nodiscard]] constexpr std::chrono::milliseconds pingPeriod(std::chrono::microseconds interval,
                                                             const WatchdogPace& pace)
{
    return std::min(
        std::chrono::duration_cast<std::chrono::milliseconds>(interval / pace.pingParts),
        pace.longestPing);
}
// From here on keepAlive tells the watchdog at most once every keepAlive part of its interval,
// so that it can be called at every step of a long wait; until then, at every call.
void paceKeepAlive(const WatchdogPace& pace);
// Tells the watchdog that ORVA is alive, as paced. Only the user-interface thread calls it, so
// that a hang of that thread is seen as one.
void keepAlive();

// Sends an event-log entry to the system journal under the identifier "orva", never waiting for
// it: false when the journal is there but did not take it (stalled or gone, say), true when it
// took it or there is no journal at all.
[[nodiscard]] bool journal(const QString& entry, Severity severity);

} // namespace orva::service
