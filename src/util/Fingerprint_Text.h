#pragma once
#include <string>
#include <string_view>

// A SHA-256 certificate fingerprint as typed or stored ("AB:cd:..." or "abcd...") as 64 lower-case
// hex digits; "" when text is not one (colons and blanks between the digits are allowed).
std::string Normalized_Sha256(std::string_view text);
