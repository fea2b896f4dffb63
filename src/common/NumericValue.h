#pragma once

#include <QStringView>
#include <cstdint>
#include <optional>

namespace orva {

// The number a text stands for, read the way operators expect of a typed value: blanks, tabs
// and line feeds are dropped wherever they stand, then the longest leading number is taken
// (sign, digits with at most one point, exponent with E or D; or &H hex, &O octal).
// A text without such a number reads as 0; one whose value exceeds a double reads as none.
[[nodiscard]] std::optional<double> numericValue(QStringView text);

// A serial port number from its text: the numeric value rounded half to even; none when the
// result lies outside the signed 16-bit range.
[[nodiscard]] std::optional<std::int16_t> portNumber(QStringView text);

} // namespace orva
