#pragma once
// The decimal number syntax shared by the number readers of the program:
//
//     [+|-] digits [ separator [digits] ] [ (E|e) [+|-] digits ]
//
// matched against the whole text (no blanks, no thousands separators, no "inf"/"nan", no hex).
// Digits are required before the separator: ".5" does not match, "5." does.
// Independent of the C locale. Nothing here throws.

#include <cstdint>
#include <optional>
#include <string_view>

struct Decimal_Number {
    bool negative = false;
    std::string_view int_digits;   // at least one digit
    std::string_view frac_digits;  // possibly empty
    int32_t exponent = 0;          // saturated at +-Decimal_Exponent_Limit
};

inline constexpr int32_t Decimal_Exponent_Limit = 999999;

// The parts of text when the whole text matches the syntax with the given separator, else nothing.
// The parts point into text.
std::optional<Decimal_Number> Match_Decimal_Number(std::string_view text, char separator);

// The double nearest to the number; nothing when it lies outside the range of a double
// (overflow, or a non-zero value too small to be represented).
std::optional<double> Decimal_To_Double(const Decimal_Number& number);

// The number truncated toward zero; nothing when that lies outside the signed 32-bit range.
// Exact: no rounding through a double ("2147483647.9999999999" -> 2147483647).
std::optional<int32_t> Decimal_Truncated_To_Int32(const Decimal_Number& number);
