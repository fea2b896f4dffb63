#pragma once

#include "common/Record.h"

#include <QString>

namespace orva {

// Leaves one trace when a line fails and one when it serves again, so that a dead line shows
// in the log without an entry at every scan.
class LineTrace {
public:
    explicit LineTrace(Record record);

    void failed(const QString& cause);
    void served(const QString& port);

private:
    Record record_;
    bool failing_ = false;
};

} // namespace orva
