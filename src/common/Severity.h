#pragma once

namespace orva {

// How much an event-log entry matters to the people on call, so that the system journal can
// filter it: an SMS not sent is an error, a lost or silent line a warning, an SMS sent a notice,
// and a start, an exit or a return to service information; an exit with status 1 (a failed
// start, an end ORVA did not ask for) is an error too.
enum class Severity { Info, Notice, Warning, Error };

} // namespace orva
