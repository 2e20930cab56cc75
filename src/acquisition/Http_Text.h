#pragma once
#include "util/Text_Scan.h"
#include <optional>
#include <string>
#include <string_view>

// Small text helpers of the HTTP client (bytes, no locale).

// Equal without regard to ASCII case.
bool Http_Same_Text(std::string_view a, std::string_view b);
// a lower-cased copy (ASCII only).
std::string Http_Lower(std::string_view text);
// A whole decimal number with an optional sign; nullopt when text is empty, holds anything else,
// or does not fit in 64 bits.
std::optional<long long> Http_Parse_Decimal(std::string_view text);
// text with every "%XY" (two hex digits) replaced by its byte; other characters unchanged.
std::string Http_Percent_Decode(std::string_view text);
