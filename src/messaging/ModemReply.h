#pragma once

#include <QStringView>

namespace orva {

// What the modem's answer says about the message in hand.
enum class ModemVerdict {
    Silent,  // nothing came back
    Refused, // an ERROR result: ERROR, +CMS ERROR: n or +CME ERROR: n
    Accepted // anything else
};

// The answer to the two commands: a prompt ">" anywhere means the modem takes the body,
// whatever else came with it; without one, an ERROR result is a refusal.
ModemVerdict judgeCommandReply(QStringView reply);

// The answer to the body: an ERROR result is a refusal, anything else (silence too) is taken
// as the message handed over.
ModemVerdict judgeBodyReply(QStringView reply);

} // namespace orva
