#pragma once

#include "common/Severity.h"

#include <QString>
#include <functional>

namespace orva {

// Leaves one trace when a line fails and one when it serves again, so that a dead line shows
// in the log without an entry at every scan.
class LineTrace {
public:
    // Writes an entry to the event log and the status line; may throw.
    using Report = std::function<void(const QString& entry, Severity severity)>;

    explicit LineTrace(Report report);

    void failed(const QString& cause);
    void served(const QString& port);

private:
    Report report_;
    bool failing_ = false;
};

} // namespace orva
