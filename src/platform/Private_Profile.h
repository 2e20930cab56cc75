#pragma once
// Private-profile (INI) files: one key read or written per call, straight from and to the file,
// with no cache. The layout rules are those of Profile_Text.h.
// Nothing here throws; every failure shows as a missing value or a false result.
// Not for concurrent use on one file from several threads or processes.

#include <optional>
#include <string>
#include <string_view>

enum class Profile_Status {
    Found,    // the key is in the file
    Missing,  // the file, the section or the key is not there
    Failed,   // the file exists but could not be read
};

struct Profile_Value {
    Profile_Status status = Profile_Status::Failed;
    std::string value;  // the value as read when Found (see Profile_Find_Value), else empty
};

// Reads key of section from file.
Profile_Value Read_Private_Profile(const std::string& file, std::string_view section, std::string_view key);

// The value of key; when the file, the section or the key is missing or the file cannot be read,
// default_value without its trailing blanks (Profile_Blanks), as the Windows function returns
// it: its leading blanks and its quotes stay.
std::string Get_Private_Profile_String(const std::string& file, std::string_view section, std::string_view key,
                                       std::string_view default_value);

// True when the file holds the key.
bool Profile_Has_Key(const std::string& file, std::string_view section, std::string_view key);

// Sets key of section to value, or deletes the key's line when value is nullopt (deleting a key
// that is not there succeeds and leaves the file as it is). A missing file is created with mode
// 0600 (settings files hold passwords); its folder must exist. The new content goes to a
// temporary file in the same folder that is then renamed over the file (an existing file keeps its
// mode); when no temporary file can be made there, the file is rewritten in place.
// False when the file cannot be read or written, when it is read-only, or when section, key or
// value cannot stand on one line of the file (line breaks, see Profile_Is_Writable_Name/Value).
bool Write_Private_Profile_String(const std::string& file, std::string_view section, std::string_view key,
                                  std::optional<std::string_view> value);

// Largest file the profile functions read; a bigger file counts as unreadable.
inline constexpr std::size_t Profile_Max_File_Size = 16u << 20;
