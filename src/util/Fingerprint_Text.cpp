#include "util/Fingerprint_Text.h"

#include "util/Text_Scan.h"

std::string Normalized_Sha256(std::string_view text)
{
    std::string hex;
    for (char c : text) {
        if (c == ':' || c == ' ')
            continue;
        if (Hex_Digit(c) < 0)
            return {};
        hex.push_back(c >= 'A' && c <= 'F' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    return hex.size() == 64 ? hex : std::string();
}
