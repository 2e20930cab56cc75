#pragma once
// The private-profile (INI) layout, parsed and edited in memory; Private_Profile does the file I/O.
//
// Layout, line by line (a line ends with "\n" or "\r\n"; the last one may have no end):
//   - section line: optional blanks, "[", the name, "]" (anything after the "]" is ignored;
//     blanks around the name are not part of it; a missing "]" ends the name at the line end);
//   - key line: "key=value", the key being the text before the first "=" without surrounding
//     blanks; a line whose first non-blank character is ";" is a comment, never a key;
//   - every other line (blank lines, lines without "=") is kept but never read.
// Section and key names match without regard to ASCII case. With duplicates, the first matching
// section and the first matching key inside it are the ones read and replaced. Blanks are space
// and tab. A UTF-8 byte-order mark before the first line is ignored.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Longest value a read returns; longer values are cut to this many bytes.
inline constexpr std::size_t Profile_Max_Value = 2047;

// The value of key in section, as a read returns it: blanks at both ends removed, then one pair
// of enclosing quotes (both '"' or both '\'') removed, then cut to Profile_Max_Value bytes.
// Nothing when the section or the key is not there.
std::optional<std::string> Profile_Find_Value(std::string_view content, std::string_view section,
                                              std::string_view key);

// True when section and key can be written: both non-empty, no line break or NUL, no "=" in the
// key, no "]" in the section, and neither starts or ends with a blank (so that they read back
// as written).
bool Profile_Is_Writable_Name(std::string_view section, std::string_view key);
// True when value can be written on one line: no line break and no NUL.
bool Profile_Is_Writable_Value(std::string_view value);

// content with key set to value, or with the key's line deleted when value is empty (nullopt).
// An existing key's line becomes "key=value" (the key spelt as given) with its original line end;
// a new key goes after the last non-blank line of its section; a new section goes at the end of
// the file as "[section]" then "key=value". New lines end with "\n"; a last line without an end
// gets one before anything is added after it. Every other byte is kept.
// Names and value must pass the checks above (the caller checks them).
std::string Profile_Set_Value(std::string_view content, std::string_view section, std::string_view key,
                              std::optional<std::string_view> value);
