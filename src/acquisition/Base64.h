#pragma once
#include <string>
#include <string_view>

// Base64 of the bytes of data (RFC 4648 alphabet, "=" padding, no line breaks).
std::string Base64_Encode(std::string_view data);
