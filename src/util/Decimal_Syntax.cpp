#include "util/Decimal_Syntax.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

namespace {

bool Is_Digit(char c)
{
    return c >= '0' && c <= '9';
}

// Length of the run of digits at the start of text.
std::size_t Digit_Run(std::string_view text)
{
    std::size_t n = 0;
    while (n < text.size() && Is_Digit(text[n]))
        ++n;
    return n;
}

// Exponent digits to a value, saturated so that no text overflows it.
int32_t Saturated_Exponent(std::string_view digits, bool negative)
{
    int32_t value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > Decimal_Exponent_Limit) {
            value = Decimal_Exponent_Limit;
            break;
        }
    }
    return negative ? -value : value;
}

}  // namespace

std::optional<Decimal_Number> Match_Decimal_Number(std::string_view text, char separator)
{
    Decimal_Number number;
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        number.negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t int_len = Digit_Run(text.substr(pos));
    if (int_len == 0)
        return std::nullopt;
    number.int_digits = text.substr(pos, int_len);
    pos += int_len;

    if (pos < text.size() && text[pos] == separator) {
        ++pos;
        const std::size_t frac_len = Digit_Run(text.substr(pos));
        number.frac_digits = text.substr(pos, frac_len);
        pos += frac_len;
    }

    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
        ++pos;
        bool exp_negative = false;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            exp_negative = text[pos] == '-';
            ++pos;
        }
        const std::size_t exp_len = Digit_Run(text.substr(pos));
        if (exp_len == 0)
            return std::nullopt;
        number.exponent = Saturated_Exponent(text.substr(pos, exp_len), exp_negative);
        pos += exp_len;
    }

    if (pos != text.size())
        return std::nullopt;
    return number;
}

std::optional<double> Decimal_To_Double(const Decimal_Number& number)
{
    try {
        // Rebuilt in the one form from_chars reads, whatever separator the text used.
        std::string canonical;
        canonical.reserve(number.int_digits.size() + number.frac_digits.size() + 12);
        if (number.negative)
            canonical += '-';
        canonical += number.int_digits;
        if (!number.frac_digits.empty()) {
            canonical += '.';
            canonical += number.frac_digits;
        }
        canonical += 'e';
        canonical += std::to_string(number.exponent);

        double value = 0;
        const auto [end, ec] = std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
        if (ec != std::errc() || end != canonical.data() + canonical.size() || !std::isfinite(value))
            return std::nullopt;
        return value;
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<int32_t> Decimal_Truncated_To_Int32(const Decimal_Number& number)
{
    try {
        // The integer part is the first (int digits + exponent) digits of all the digits.
        const std::string all = std::string(number.int_digits) + std::string(number.frac_digits);
        const int64_t point = static_cast<int64_t>(number.int_digits.size()) + number.exponent;
        if (point <= 0)
            return 0;
        const auto taken = static_cast<std::size_t>(std::min<int64_t>(point, static_cast<int64_t>(all.size())));
        const int64_t zeros_after = point - static_cast<int64_t>(taken);

        std::string_view integer(all.data(), taken);
        while (!integer.empty() && integer.front() == '0')
            integer.remove_prefix(1);
        if (integer.empty())
            return 0;
        // 2147483648 has ten digits: anything longer is out of range.
        if (static_cast<int64_t>(integer.size()) + zeros_after > 10)
            return std::nullopt;

        int64_t magnitude = 0;
        for (char c : integer)
            magnitude = magnitude * 10 + (c - '0');
        for (int64_t i = 0; i < zeros_after; ++i)
            magnitude *= 10;

        const int64_t value = number.negative ? -magnitude : magnitude;
        if (value < INT32_MIN || value > INT32_MAX)
            return std::nullopt;
        return static_cast<int32_t>(value);
    } catch (...) {
        return std::nullopt;
    }
}
