#pragma once

#include "messaging/SmsOutcome.h"

namespace orva {

// How many live alarms were sent and how many were logged as not sent.
struct AlarmTally {
    int sent = 0;
    int notSent = 0;

    void count(const SmsOutcome& outcome)
    {
        ++(outcome.kind == SmsOutcome::Kind::Sent ? sent : notSent);
    }
};

} // namespace orva
