#include "LineTrace.h"

namespace orva {

LineTrace::LineTrace(Report report)
    : report_(std::move(report))
{
}

// The state changes first, so that a report that cannot be written is not tried at every scan.
void LineTrace::failed(const QString& cause)
{
    if (std::exchange(failing_, true))
        return;
    report_(QStringLiteral("Port Error: ") + cause, Severity::Warning);
}

void LineTrace::served(const QString& port)
{
    if (!std::exchange(failing_, false))
        return;
    report_(QStringLiteral("Port Restored: ") + port, Severity::Info);
}

} // namespace orva
