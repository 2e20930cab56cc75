#pragma once
// Typed settings keys, each read or written by its own access to the file (no cache).
//
// Reading a key: when the section has no such key, its default is written into the file first
// (as its kind is written), then the key is read and converted. A key that is present but empty
// or unreadable gives the zero value of its kind (0, false, 0.0, ""), not the default; so does
// any failure (the default cannot be written, the file cannot be read). Reading therefore also
// completes the file.
// Writing a key: the value as its kind is written (Ini_Values.h); a failure loses that value.
// The write functions report success for callers that care; most ignore it.
// Nothing here throws. User-interface thread only.

#include <cstdint>
#include <optional>
#include <string>

int32_t Ini_Read_Int(const std::string& file, const std::string& section, const std::string& key,
                     int32_t default_value);
bool Ini_Read_Bool(const std::string& file, const std::string& section, const std::string& key, bool default_value);
double Ini_Read_Float(const std::string& file, const std::string& section, const std::string& key,
                      double default_value);
std::string Ini_Read_String(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& default_value);

bool Ini_Write_Int(const std::string& file, const std::string& section, const std::string& key, int32_t value);
bool Ini_Write_Bool(const std::string& file, const std::string& section, const std::string& key, bool value);
bool Ini_Write_Float(const std::string& file, const std::string& section, const std::string& key, double value);
// A text is written unchanged; blanks at its ends and one pair of enclosing quotes are lost when
// it is read back, and a text holding a line break is not written at all.
bool Ini_Write_String(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& value);

// The key's text as read, or nothing when the file, section or key is missing (nothing is written:
// for optional keys that files without them must not gain).
std::optional<std::string> Ini_Read_Optional_String(const std::string& file, const std::string& section,
                                                    const std::string& key);

// Removes the key's line (true also when there was no such key).
bool Ini_Delete_Key(const std::string& file, const std::string& section, const std::string& key);

// Where reals get their decimal separator, asked at each read and write of a real.
// Regional_Decimal_Separator by default; nullptr restores it. Tests set their own.
using Decimal_Separator_Source = char (*)();
void Set_Ini_Decimal_Separator_Source(Decimal_Separator_Source source);
