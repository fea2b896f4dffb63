#include "PhoneNumber.h"

#include "common/NumericValue.h"

#include <algorithm>

namespace orva {
namespace {

constexpr double kLowestNumber = 10000000;
constexpr double kHighestNumber = 99999999;

} // namespace

bool isSafeNumber(QStringView number)
{
    return std::ranges::none_of(number, [](QChar c) { return c == u'"' || c.unicode() < 32; });
}

bool isPagerNumber(QStringView typed)
{
    const std::optional<double> value = numericValue(typed); // none: far beyond eight digits
    return value && *value >= kLowestNumber && *value <= kHighestNumber && isSafeNumber(typed);
}

} // namespace orva
