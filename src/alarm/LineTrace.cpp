#include "LineTrace.h"

namespace orva {

LineTrace::LineTrace(Record record)
    : record_(std::move(record))
{
}

// The state changes first, so that an entry the log cannot take is not tried at every scan.
void LineTrace::failed(const QString& cause)
{
    if (std::exchange(failing_, true))
        return;
    record_({QStringLiteral("Port Error: ") + cause, Severity::Warning});
}

void LineTrace::served(const QString& port)
{
    if (!std::exchange(failing_, false))
        return;
    record_({QStringLiteral("Port Restored: ") + port, Severity::Info});
}

} // namespace orva
