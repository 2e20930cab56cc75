#pragma once
// Small scanning helpers shared by the readers of settings files and of camera replies.

#include <string_view>

// Space or tab: the blanks of a settings-file line.
constexpr bool Is_Blank(char c)
{
    return c == ' ' || c == '\t';
}

// text without the blanks (space, tab) at both ends.
std::string_view Trim_Blanks(std::string_view text);

// text without the blanks and control characters (codes 0 to 32) at both ends.
std::string_view Trim_View(std::string_view text);

// Value of a hexadecimal digit (0-9, a-f, A-F), or -1 for any other character.
constexpr int Hex_Digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
