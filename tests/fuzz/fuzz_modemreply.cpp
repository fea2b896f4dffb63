#include "messaging/ModemReply.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString reply =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const orva::ModemVerdict verdict = orva::judgeCommandReply(reply);
    if ((verdict == orva::ModemVerdict::Silent) != reply.isEmpty())
        std::abort(); // only silence is silence
    if (reply.contains(u'>') && verdict != orva::ModemVerdict::Accepted)
        std::abort(); // a prompt always takes the body
    orva::judgeBodyReply(reply);
    return 0;
}
