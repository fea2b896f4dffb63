#pragma once

#include <QString>

namespace orva {

// The destination and body of the next SMS, shared by the alarm scan and the manual window:
// while the manual window is open after an accepted send, alarms go to the number typed there.
struct OutgoingSms {
    QString SmsNumber;
    QString SmsText;
};

} // namespace orva
