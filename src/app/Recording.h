#pragma once

#include "common/Record.h"

namespace orva {

class AlarmDisplay;
class EventLog;

// Writes an event's entry to the event log alone, as Record says; nothing is shown.
[[nodiscard]] Recorded logEvent(EventLog& log, const Event& event);

// The program's Record: the log first, then the status line (box 0 of the display), so that
// every event the operator sees there is in the log too.
[[nodiscard]] Record recordInto(EventLog& log, AlarmDisplay& display);

} // namespace orva
