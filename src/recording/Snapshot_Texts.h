#pragma once
// Texts of a recorded snapshot made from the pass's clock reading: the caption drawn into the
// picture, the two sample texts that place it, and the date and time pieces of the folder and
// file names. No Qt. Every number is left-filled with "0": two digits for day, month, hour,
// minute and second, four for the year, three for the millisecond.

#include "platform/Clock.h"

#include <string>

// "Tambrel | " + alias + " | dd/mm/yyyy  hh:mm:ss" (two blanks between date and time).
// The alias is used as typed, not cleaned.
std::string Caption_Text(const std::string& alias, const Local_Date_Time& now);

// The fixed sample whose text height sets the caption's top:
// "Tambrel | " + alias + " | 25/11/2014  22:11:00".
std::string Caption_Height_Sample(const std::string& alias);

// The fixed sample whose text width centres the caption, one "(" wider than the caption:
// "Tambrel | " + alias + " | (25/11/2014  22:11:00". The extra character shifts the caption
// left by half its width; that placement is kept so snapshots look as they always have.
std::string Caption_Width_Sample(const std::string& alias);
