#pragma once

#include "Severity.h"

#include <QString>
#include <chrono>

// What ORVA tells the service manager that started it and the system journal. Without a
// service manager listening (no NOTIFY_SOCKET) the notifications do nothing; on a system
// without either, nothing here does anything.
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
[[nodiscard]] std::chrono::milliseconds watchdogInterval();
// Tells the watchdog that ORVA is alive, at most every eighth of its interval, so that it can be
// called at every step of a long wait. Only the user-interface thread calls it, so that a hang
// of that thread is seen as one.
void keepAlive();

// Sends an event-log entry to the system journal under the identifier "orva".
void journal(const QString& entry, Severity severity);

} // namespace orva::service
