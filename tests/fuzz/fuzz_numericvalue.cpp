#include "common/Failure.h"
#include "common/NumericValue.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const double value = orva::numericValue(text);
        if (!std::isfinite(value))
            std::abort(); // a value too large must fail, never come back as infinity
        (void)orva::portNumber(text);
    } catch (const orva::Failure&) {
    }
    return 0;
}
