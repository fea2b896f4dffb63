#pragma once

#include <QString>

namespace orva {

// The boxes a burst is shown in: box 0 is the status line, boxes 1 to 25 the alarm lines.
class AlarmDisplay {
public:
    static constexpr int kBoxCount = 26;

    virtual ~AlarmDisplay() = default;
    virtual void setLine(int box, const QString& text) = 0;
};

} // namespace orva
