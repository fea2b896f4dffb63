#include "Recording.h"

#include "alarm/AlarmDisplay.h"
#include "eventlog/EventLog.h"

#include <exception>

namespace orva {

// EventLog::write has sent the entry to standard error already when it throws.
Recorded logEvent(EventLog& log, const Event& event)
{
    try {
        log.write(event.entry, event.severity);
    } catch (const std::exception& failure) {
        return {false, QString::fromStdString(failure.what())};
    }
    return {};
}

Record recordInto(EventLog& log, AlarmDisplay& display)
{
    return [&log, &display](const Event& event) {
        const Recorded recorded = logEvent(log, event);
        if (recorded.logged)
            display.setLine(0, event.shown.value_or(event.entry));
        return recorded;
    };
}

} // namespace orva
