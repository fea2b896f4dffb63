#pragma once

#include <QStringView>
#include <cstdint>

namespace orva {

// The number a text stands for, read the way operators expect of a typed value: blanks, tabs
// and line feeds are dropped wherever they stand, then the longest leading number is taken
// (sign, digits with at most one point, exponent with E or D; or &H hex, &O octal).
// A text without such a number reads as 0. Throws Failure when the value exceeds a double.
[[nodiscard]] double numericValue(QStringView text);

// A serial port number from its text: the numeric value rounded half to even.
// Throws Failure when the result lies outside the signed 16-bit range.
[[nodiscard]] std::int16_t portNumber(QStringView text);

} // namespace orva
