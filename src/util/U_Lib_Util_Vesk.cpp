// Numbers to texts: Int_To_Text, Float_To_Text and the decimal separator they use.
#include "util/U_Lib_Util_Vesk.h"

#include <atomic>
#include <charconv>
#include <cmath>
#include <system_error>

namespace {

std::atomic<char> decimal_separator{'.'};

// Significant digits a double is rounded to before Float_To_Text rounds it to its decimals.
constexpr int Significant_Digits = 15;

// |value| rounded to Significant_Digits digits: digits "d0 d1 ... d14" and exponent e, so that
// |value| ~ d0.d1...d14 * 10^e. False if the value cannot be formatted.
bool Round_To_Significant(double value, std::string& digits, int& exponent)
{
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                         std::chars_format::scientific, Significant_Digits - 1);
    if (ec != std::errc())
        return false;
    // buffer holds "d.dddddddddddddde[+-]xx".
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t e_pos = text.find('e');
    if (e_pos == std::string_view::npos)
        return false;
    digits.clear();
    for (char c : text.substr(0, e_pos))
        if (c != '.')
            digits += c;
    std::string_view exp_text = text.substr(e_pos + 1);
    if (!exp_text.empty() && exp_text.front() == '+')
        exp_text.remove_prefix(1);
    const auto parsed = std::from_chars(exp_text.data(), exp_text.data() + exp_text.size(), exponent);
    return parsed.ec == std::errc();
}

// Adds one unit to the last digit of a decimal digit string ("" counts as 0).
void Increment_Digits(std::string& digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

}  // namespace

void Set_Decimal_Separator(char separator)
{
    decimal_separator.store(separator, std::memory_order_relaxed);
}

char Decimal_Separator()
{
    return decimal_separator.load(std::memory_order_relaxed);
}

std::string Int_To_Text(int32_t value, int16_t digits)
{
    try {
        // The magnitude of INT32_MIN does not fit in an int32_t.
        const int64_t magnitude = value < 0 ? -static_cast<int64_t>(value) : value;
        char buffer[24];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude);
        if (ec != std::errc())
            return {};
        std::string text(buffer, end);
        if (digits > 0 && text.size() < static_cast<std::size_t>(digits))
            text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
        if (value < 0)
            text.insert(text.begin(), '-');
        return text;
    } catch (...) {
        return {};
    }
}

std::string Float_To_Text(int16_t width, int16_t decimals, double value)
{
    try {
        if (!std::isfinite(value))
            return {};
        const int places = decimals > 0 ? decimals : 0;

        std::string digits;
        int exponent = 0;
        if (!Round_To_Significant(value, digits, exponent))
            return {};

        // Keep the digits down to the last decimal place; the first dropped digit decides the
        // rounding (5 or more: away from zero).
        const int keep = exponent + 1 + places;
        std::string units;  // |value| * 10^places, rounded, as decimal digits
        if (keep >= 0) {
            const auto keep_n = static_cast<std::size_t>(keep);
            if (keep_n >= digits.size()) {
                units = digits + std::string(keep_n - digits.size(), '0');
            } else {
                units = digits.substr(0, keep_n);
                if (digits[keep_n] >= '5')
                    Increment_Digits(units);
            }
        }

        const std::size_t first = units.find_first_not_of('0');
        units = first == std::string::npos ? std::string() : units.substr(first);
        const bool negative = value < 0 && !units.empty();
        const auto places_n = static_cast<std::size_t>(places);
        if (units.size() < places_n + 1)
            units.insert(0, places_n + 1 - units.size(), '0');

        std::string text;
        if (negative)
            text += '-';
        text.append(units, 0, units.size() - places_n);
        if (places_n > 0) {
            text += Decimal_Separator();
            text.append(units, units.size() - places_n, places_n);
        }
        if (width > 0 && text.size() < static_cast<std::size_t>(width))
            text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
        return text;
    } catch (...) {
        return {};
    }
}
