#pragma once
// The nine camera records in a settings file: one section per slot, "CAM1" .. "CAM9", with the
// keys Valide, Type_Cam, Alias, Ad_Ip, Port, Login, Password, Use_Url, Special_Url, Valide_Record,
// K_Detect, Timer_On, Timer_Off, read and written in that order, then Cert_Sha256 (the certificate pinned
// for an https camera), which is only there for a camera that has a pin: reading a file without it
// adds nothing, and writing a camera without a pin removes it.

#include "model/T_Cam.h"

#include <string>

// "CAM" followed by the slot number.
std::string Cam_Section(int slot);

// Sets every field of every slot from file. A missing key gets its default (Default_Cam) written
// into the file first; a present but unreadable key, or any file failure, gives the field's zero
// value. Never throws.
void Read_Cams_Ini(const std::string& file, T_Cams& cams);

// Writes every field of every slot into file; the other sections and keys of the file stay.
// A key that cannot be written is lost; the following ones are still attempted. Never throws.
void Write_Cams_Ini(const std::string& file, const T_Cams& cams);
