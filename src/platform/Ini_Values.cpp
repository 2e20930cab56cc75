#include "platform/Ini_Values.h"
#include "util/Text_Scan.h"

#include "util/Decimal_Syntax.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace {

char Usable_Separator(char separator)
{
    const bool digit = separator >= '0' && separator <= '9';
    const bool confusing = separator == '+' || separator == '-' || separator == 'e' || separator == 'E';
    return digit || confusing || separator == '\0' || Is_Blank(separator) ? '.' : separator;
}

constexpr int Real_Digits = 15;

}  // namespace

std::string Ini_Int_To_Text(int32_t value)
{
    char buffer[16];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

int32_t Ini_Int_From_Text(std::string_view text)
{
    while (!text.empty() && Is_Blank(text.front()))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    std::string_view hex;
    if (text.starts_with("0x") || text.starts_with("0X"))
        hex = text.substr(2);
    else if (!text.empty() && (text.front() == '$' || text.front() == 'x' || text.front() == 'X'))
        hex = text.substr(1);
    else {
        if (text.empty())
            return 0;
        int64_t magnitude = 0;
        for (char c : text) {
            if (c < '0' || c > '9')
                return 0;
            magnitude = magnitude * 10 + (c - '0');
            if (magnitude > int64_t{INT32_MAX} + 1)
                return 0;
        }
        const int64_t value = negative ? -magnitude : magnitude;
        return value > INT32_MAX ? 0 : static_cast<int32_t>(value);
    }

    if (hex.empty() || hex.size() > 8)
        return 0;
    uint32_t bits = 0;
    for (char c : hex) {
        const int digit = Hex_Digit(c);
        if (digit < 0)
            return 0;
        bits = (bits << 4) | static_cast<uint32_t>(digit);
    }
    // Hexadecimal wraps: the 32 bits are the value's two's complement form.
    if (negative)
        bits = 0u - bits;
    return static_cast<int32_t>(bits);
}

std::string Ini_Bool_To_Text(bool value)
{
    return value ? "1" : "0";
}

bool Ini_Bool_From_Text(std::string_view text)
{
    return (static_cast<uint32_t>(Ini_Int_From_Text(text)) & 0xFFu) != 0;
}

std::string Ini_Float_To_Text(double value, char separator)
{
    try {
        if (!std::isfinite(value) || value == 0)
            return "0";
        separator = Usable_Separator(separator);

        // Rounded to 15 significant digits first: the notation depends on the rounded value
        // (999999999999999.9 is written "1E15").
        char buffer[64];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                             std::chars_format::scientific, Real_Digits - 1);
        if (ec != std::errc())
            return "0";
        const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
        const std::size_t e_pos = text.find('e');
        std::string digits;
        for (char c : text.substr(0, e_pos))
            if (c != '.')
                digits += c;
        std::string_view exp_text = text.substr(e_pos + 1);
        if (exp_text.front() == '+')
            exp_text.remove_prefix(1);
        int exponent = 0;
        std::from_chars(exp_text.data(), exp_text.data() + exp_text.size(), exponent);

        while (digits.size() > 1 && digits.back() == '0')
            digits.pop_back();

        std::string result = value < 0 ? "-" : "";
        if (exponent >= -4 && exponent < Real_Digits) {
            if (exponent < 0) {
                result += '0';
                result += separator;
                result.append(static_cast<std::size_t>(-exponent - 1), '0');
                result += digits;
            } else {
                const auto int_len = static_cast<std::size_t>(exponent) + 1;
                if (digits.size() <= int_len) {
                    result += digits;
                    result.append(int_len - digits.size(), '0');
                } else {
                    result.append(digits, 0, int_len);
                    result += separator;
                    result.append(digits, int_len, std::string::npos);
                }
            }
        } else {
            result += digits.front();
            if (digits.size() > 1) {
                result += separator;
                result.append(digits, 1, std::string::npos);
            }
            result += 'E';
            result += std::to_string(exponent);
        }
        return result;
    } catch (...) {
        return "0";
    }
}

double Ini_Float_From_Text(std::string_view text, char separator)
{
    const auto number = Match_Decimal_Number(Trim_Blanks(text), Usable_Separator(separator));
    if (!number)
        return 0;
    return Decimal_To_Double(*number).value_or(0);
}
