#include "alarm/Burst.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString burst = orva::unfoldLineFeeds(
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const QStringList lines = orva::splitBurst(burst);
    if (lines.size() != (burst.isEmpty() ? 0 : burst.count(u'\r') + 1))
        std::abort(); // n carriage returns give n + 1 lines
    for (const QString& line : lines)
        (void)orva::shouldSend(line);
    return 0;
}
