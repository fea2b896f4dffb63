#pragma once

#include "Severity.h"

#include <QString>
#include <functional>
#include <optional>

namespace orva {

// Something that happened, as ORVA records it: its entry in the event log, with its severity,
// and what the status line shows of it, the entry itself unless told otherwise.
struct Event {
    QString entry;
    Severity severity = Severity::Info;
    std::optional<QString> shown = std::nullopt;
};

// Whether the event log took an event's entry; when it did not, why.
struct Recorded {
    bool logged = true;
    QString failure = {};
};

// How ORVA records an event: its entry goes to the event log and, once the log took it, it is
// shown in the status line (the exit entry is logged without this, and never shown). Never
// throws: an entry the log cannot take goes to standard error instead, and the answer says why,
// for a caller that tells the operator.
using Record = std::function<Recorded(const Event& event)>;

} // namespace orva
