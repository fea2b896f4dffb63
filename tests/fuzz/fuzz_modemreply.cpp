#include "messaging/ModemReply.h"
#include "messaging/NetworkRegistration.h"
#include "messaging/SignalLevel.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

// The first byte splits the input into a reply and the body it answers.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString input =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype split = input.isEmpty() ? 0 : input[0].unicode() % (input.size() + 1);
    const QString reply = input.mid(split);
    const orva::ModemAnswer answer = orva::judgeCommandReply(reply);
    if ((answer.verdict == orva::ModemVerdict::Silent) != reply.isEmpty())
        std::abort(); // only silence is silence
    if (reply.startsWith(u'>') && answer.verdict != orva::ModemVerdict::Prompted)
        std::abort(); // a prompt always takes the body
    const orva::ModemAnswer body = orva::judgeBodyReply(reply, input.left(split));
    if ((body.verdict == orva::ModemVerdict::Sent || body.verdict == orva::ModemVerdict::Refused) !=
        !body.resultLine.isEmpty())
        std::abort(); // a verdict of the modem rests on its result line
    for (const auto domain : {orva::Domain::CircuitSwitched, orva::Domain::FiveG})
        if (const auto state = orva::registrationState(reply, domain); state && *state > 11)
            std::abort(); // only the states that exist
    if (const auto level = orva::signalLevel(reply, input.left(split));
        level && (level->dbm < -157 || level->dbm > -25))
        std::abort(); // a level no measure can give
    return 0;
}
