#pragma once
#include <string>

// Version texts have the form of the program's own version "V3.1": one leading character, then a
// decimal number. The published version is the first four bytes of the version file.

// The number after the first character, read with Text_To_Float (blanks ignored, ',' read as '.',
// 0 when not a number). "V3.1" -> 3.1, "V3,2" -> 3.2, "Vx.y", "V" and "" -> 0.
double Version_Value(const std::string& text);

// True when `available` names a newer version than `own`: both texts non-empty, different (exact,
// case-sensitive comparison), and the value of `available` greater than the value of `own`.
// "V3.2" vs "V3.1" -> true; "V3,1" vs "V3.1" -> false (different texts, same value).
bool Is_Newer(const std::string& available, const std::string& own);

// The published version text: the first four bytes of the version file's body; a shorter body
// gives only the bytes it has (never padded), an empty body the empty text.
std::string Version_Text_From_Body(const std::string& body);
