#include "NumericValue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace orva {
namespace {

std::string withoutBlanks(QStringView text)
{
    std::string kept;
    kept.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n')
            kept.push_back(c.unicode() < 128 ? static_cast<char>(c.unicode()) : '\x7f');
    }
    return kept;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

double radixValue(const std::string& digits, std::size_t from, int radix)
{
    double value = 0;
    for (std::size_t i = from; i < digits.size(); ++i) {
        const char c = digits[i];
        const int digit = isDigit(c)               ? c - '0'
                          : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                          : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                   : radix;
        if (digit >= radix)
            break;
        value = value * radix + digit;
    }
    return value;
}

// The longest leading decimal number in the syntax of from_chars: no plus sign, E exponent.
std::string leadingDecimal(std::string s)
{
    if (!s.empty() && s[0] == '+')
        s.erase(0, 1);
    std::size_t i = 0;
    if (i < s.size() && s[i] == '-')
        ++i;
    std::size_t digits = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i]))
            ++digits;
        else if (s[i] == '.' && !point)
            point = true;
        else
            break;
    }
    if (digits == 0)
        return {};
    std::string number = s.substr(0, i);
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        const std::size_t expStart = j;
        while (j < s.size() && isDigit(s[j]))
            ++j;
        if (j > expStart)
            number += 'e' + s.substr(i + 1, j - i - 1);
    }
    return number;
}

// from_chars says only "out of range": tell an overflow (a failure) from an underflow (zero)
// by the sign of the decimal exponent of the first significant digit.
double tooLargeOrTooSmall(const std::string& number)
{
    const std::size_t e = number.find('e');
    const std::string mantissa = number.substr(0, e);
    long long exponent = 0;
    if (e != std::string::npos) {
        const char* first = number.data() + e + 1;
        first += *first == '+' ? 1 : 0;
        if (std::from_chars(first, number.data() + number.size(), exponent).ec != std::errc())
            exponent = number[e + 1] == '-' ? std::numeric_limits<long long>::min()
                                            : std::numeric_limits<long long>::max();
        // Far beyond any double either way; bounded so that adding the shift cannot overflow.
        exponent = std::clamp<long long>(exponent, std::numeric_limits<int>::min(),
                                         std::numeric_limits<int>::max());
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t significant = mantissa.find_first_of("123456789");
    const long long shift =
        significant < point ? static_cast<long long>(point - significant) - 1
                            : static_cast<long long>(point) - static_cast<long long>(significant);
    return shift + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

} // namespace

std::optional<double> numericValue(QStringView text)
{
    const std::string s = withoutBlanks(text);
    double value = 0;
    if (s.size() >= 2 && s[0] == '&' && (s[1] == 'h' || s[1] == 'H')) {
        value = radixValue(s, 2, 16);
    } else if (s.size() >= 2 && s[0] == '&' && (s[1] == 'o' || s[1] == 'O')) {
        value = radixValue(s, 2, 8);
    } else {
        const std::string number = leadingDecimal(s);
        if (number.empty())
            return 0;
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), value);
        if (error == std::errc::result_out_of_range)
            value = tooLargeOrTooSmall(number);
    }
    if (std::isinf(value))
        return std::nullopt;
    return value;
}

std::optional<std::int16_t> portNumber(QStringView text)
{
    const std::optional<double> value = numericValue(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value);
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

} // namespace orva
