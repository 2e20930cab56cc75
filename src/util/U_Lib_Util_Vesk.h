#pragma once
// Text and number helpers used across the program: numbers to texts for captions, component
// names, URLs and settings keys, and numbers read from what the user types or a camera returns.
//
// Every function is free, keeps no state (except the decimal separator setting below) and never
// throws: on any failure it returns its neutral result (the empty text, 0, or its input unchanged).
// Texts are byte strings (UTF-8 on this platform). Conversions never depend on the C locale.

#include <cstdint>
#include <string>

// Decimal separator used by Float_To_Text. Process-wide, '.' until the program sets the user's
// regional one at start. Safe to call from any thread.
void Set_Decimal_Separator(char separator);
char Decimal_Separator();

// value in decimal, left-filled with '0' to at least `digits` digits; the '-' of a negative value
// does not count. (7,3) -> "007", (-7,3) -> "-007", (1234,2) -> "1234", (0,0) -> "0".
// A negative `digits` counts as 0.
std::string Int_To_Text(int32_t value, int16_t digits = 0);

// value in fixed notation with exactly `decimals` digits after Decimal_Separator(), right-aligned
// with blanks in a field of at least `width` characters. Rounds halves away from zero, on the value
// first rounded to 15 significant digits: (0,0,12.5) -> "13", (0,2,1.005) -> "1.01",
// (6,2,3.14159) -> "  3.14". A result that rounds to zero has no minus sign. Negative `width` or
// `decimals` count as 0. A NaN or infinite value gives "".
std::string Float_To_Text(int16_t width, int16_t decimals, double value);

// Reads a real typed by a user or sent by a camera: blanks (code 32) are removed, ',' stands for
// '.', then the whole text must be  [+|-] digits [ "." [digits] ] [ (E|e) [+|-] digits ].
// "12,5" and " 1 2.5 " -> 12.5; "5." -> 5; ".5", "1.000,5", "1e", "+", "inf", "0x10" -> 0.
// A value outside the range of a double gives 0.
double Text_To_Float(const std::string& text);

// Reads an integer: blanks removed, then the syntax of Text_To_Float without the comma, truncated
// toward zero. "80.9" -> 80, "-0.9" -> 0, "1e3" -> 1000, "8,5", "0x10", "$10", "" -> 0.
// A value outside the signed 32-bit range gives 0.
int32_t Text_To_Int(const std::string& text);

// text without any space character (code 32); tabs and other characters stay.
std::string Remove_Spaces(const std::string& text);

// Replaces the first occurrence of old_text by new_text and searches again from the start, until
// old_text no longer occurs: ("aaaa", "aa", "a") -> "a". An empty old_text changes nothing.
// NOTE: when new_text contains old_text that loop would never end; the occurrences of the
// original text are then replaced in one left-to-right pass instead. The same single pass is used
// if a replacement keeps growing the text without bound.
std::string Replace_All(const std::string& text, const std::string& old_text, const std::string& new_text);

// text with every occurrence of ch deleted.
std::string Remove_Char(const std::string& text, char ch);

// text preceded by (width - length of text) copies of pad when that is positive; never shortens
// text. Pad_Left("7", 2, '0') -> "07", Pad_Left("123", 2, '0') -> "123".
std::string Pad_Left(const std::string& text, int width, char pad);
// Same with a text as the pad; each copy is the whole pad text. An empty pad adds nothing.
std::string Pad_Left(const std::string& text, int width, const std::string& pad);

// value in decimal (Int_To_Text) left-filled with "0" to width digits (Pad_Left); never shortened:
// (7, 2) -> "07", (2015, 4) -> "2015", (1234, 3) -> "1234".
std::string Zero_Padded(int32_t value, int width);

// text with every \ / : * ? < > | deleted, so it can serve as a file or folder name;
// double quotes, blanks and every other character stay. "Cam:1/2" -> "Cam12".
std::string Clean_File_Name(const std::string& text);

// text without the blanks and control characters (codes 0 to 32) at both ends; inner ones stay.
std::string Trim(const std::string& text);
