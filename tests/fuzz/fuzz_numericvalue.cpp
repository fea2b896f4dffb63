#include "common/NumericValue.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto value = orva::numericValue(text);
    if (value && !std::isfinite(*value))
        std::abort(); // a value too large reads as none, never as infinity
    const auto port = orva::portNumber(text);
    if (port && (!value || std::abs(*value - *port) > 0.5))
        std::abort(); // a port number is the value rounded
    return 0;
}
