#pragma once
// The private-profile (INI) layout, parsed and edited in memory; Private_Profile does the file I/O.
// The layout is the one of the Windows profile functions, so that a file travels between them and
// us in both directions.
//
// Layout, line by line (a line ends with "\r\n", a lone "\n" or a lone "\r"; the last one may have
// no end):
//   - section line: optional blanks, "[", the name, "]" (anything after the "]" is ignored;
//     blanks around the name are not part of it; a missing "]" ends the name at the line end);
//   - key line: "key=value", the key being the text before the first "=" without surrounding
//     blanks; a line whose first non-blank character is ";" is a comment, never a key;
//   - every other line (blank lines, lines without "=") is kept but never read.
// Section and key names match without regard to ASCII case. With duplicates, the first matching
// section and the first matching key inside it are the ones read and replaced. Blanks are space,
// tab and vertical tab. A value runs to the line end: ";" and "#" inside it are part of it.
// A UTF-8 byte-order mark before the first line is ignored (the Windows functions would take it
// as part of the first line, which hides a first section written after it).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Longest value a read returns; longer values are cut to this many bytes.
inline constexpr std::size_t Profile_Max_Value = 2047;

// The blanks of a profile line: space, tab and vertical tab.
inline constexpr std::string_view Profile_Blanks = " \t\v";
// text without the Profile_Blanks at both ends.
std::string_view Trim_Profile_Blanks(std::string_view text);

// The value of key in section, as a read returns it: blanks at both ends removed, then one pair
// of enclosing quotes (both '"' or both '\'') removed, then cut to Profile_Max_Value bytes.
// Nothing when the section or the key is not there.
std::optional<std::string> Profile_Find_Value(std::string_view content, std::string_view section, std::string_view key);

// True when section and key can be written: both non-empty, no line break or NUL, no "=" in the
// key, no "]" in the section, and neither starts or ends with a blank (so that they read back
// as written).
bool Profile_Is_Writable_Name(std::string_view section, std::string_view key);
// True when value can be written on one line: no line break and no NUL.
bool Profile_Is_Writable_Value(std::string_view value);

// content with key set to value, or with the key's line deleted when value is empty (nullopt).
// Only the key's line changes; every other byte is kept:
//   - an existing key's line becomes "key=value" with the key spelt as in the file (blanks around
//     the key and the "=" go) and keeps its own line end;
//   - a new key's line goes right after the last key line of the section (before the comments,
//     blank lines and other lines that follow it), or right after the section line when the
//     section has no key;
//   - a new section goes at the end of the file as "[section]" then "key=value", with no blank
//     line before it.
// Lines written or completed end like the file's first line that has an end ("\r\n", "\n" or
// "\r"); in a file without any line end yet, with "\n". So a file that uses one kind of line end
// keeps using it, and a file that already mixes them gets more of the kind its first line has.
// A line written in place of a last line without an end, or after one, gets an end too.
// Names and value must pass the checks above (the caller checks them).
std::string Profile_Set_Value(std::string_view content, std::string_view section, std::string_view key,
                              std::optional<std::string_view> value);
