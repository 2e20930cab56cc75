#pragma once
// How each kind of setting is written in a settings file and read back. Pure conversions on
// texts; nothing here touches a file, depends on the C locale, or throws.
// Readers return the zero value of their kind (0, false, 0.0) for an unreadable text.

#include <cstdint>
#include <string>
#include <string_view>

// Integer: decimal, "-" before a negative value, no leading zeros.
std::string Ini_Int_To_Text(int32_t value);
// Optional blanks, optional "+" or "-", then either decimal digits whose value fits in 32 signed
// bits, or at most 8 hexadecimal digits after "$", "x", "X", "0x" or "0X" (wrapping into 32 bits:
// "$FFFFFFFF" is -1, "-$10" is -16). Anything else, trailing characters included, gives 0.
int32_t Ini_Int_From_Text(std::string_view text);

// Boolean: "1" or "0"; read as an integer of which only the low 8 bits count ("256" is false).
std::string Ini_Bool_To_Text(bool value);
bool Ini_Bool_From_Text(std::string_view text);

// Real: at most 15 significant digits, no trailing zeros and no needless separator; fixed
// notation for 0 and for magnitudes in [0.0001, 1e15), else one digit, the separator and the
// rest, "E" and the exponent without "+" or leading zeros ("1E-5", "1.5E20", "-2E-7").
// A NaN or infinite value is written "0".
std::string Ini_Float_To_Text(double value, char separator);
// Blanks around the number allowed; optional sign, digits, optionally the separator and more
// digits, optionally "E" or "e", a sign and digits. No thousands separators. A text written with
// another separator ("0,5" where the separator is ".") gives 0, as does a value beyond the range
// of a double. A separator that could be mistaken for part of a number (a digit, a sign, "E")
// is replaced by ".".
double Ini_Float_From_Text(std::string_view text, char separator);
