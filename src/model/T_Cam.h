#pragma once
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

// Settings of one camera slot. A record starts with zero values; the settings file fills it
// (Default_Cam gives the values a file without the keys yields).
struct T_Cam {
    bool Valide = false;        // enabled: refresh passes fetch and show it
    int32_t Type_Cam = 0;       // loaded and saved unchanged, used by nothing
    std::string Alias;          // display name, "CAM1".."CAM9" by default
    std::string Ad_Ip;          // host name or address, no scheme, port or path
    int32_t Port = 0;           // TCP port of the camera's web server
    std::string Login;          // user name sent in every request
    std::string Password;       // sent and stored in clear
    bool Use_Url = false;       // fetch Special_Url instead of the built-in snapshot request
    std::string Special_Url;    // complete snapshot URL typed by the user
    int32_t Valide_Record = 0;  // recording mode 0..3; other values select no mode
    double Timer_On = 0;        // fraction of a day at which mode 3 starts
    double Timer_Off = 0;       // fraction of a day at which mode 3 stops
    double K_Detect = 0;        // motion threshold in percent
    std::string Cert_Sha256;    // certificate pinned for an https URL (64 lower-case hex digits), "" for none

    bool operator==(const T_Cam&) const = default;
};

inline constexpr int Nb_Slots = 9;

// Caption of a camera in the grid, the full-screen window and the tool panels' strips: the slot number, "-"
// and the alias as stored, as in "1-CAM1".
std::string Slot_Caption(int slot, const std::string& alias);

// Values of a settings file without the key.
inline constexpr bool Default_Valide = true;
inline constexpr int32_t Default_Type_Cam = 0;
inline constexpr const char* Default_Ad_Ip = "127.0.0.1";
inline constexpr int32_t Default_Port = 8000;
inline constexpr const char* Default_Login = "admin";
inline constexpr const char* Default_Password = "";
inline constexpr bool Default_Use_Url = false;
inline constexpr const char* Default_Special_Url = "http://xxx.xxx.xxx.xxx:port...";
inline constexpr int32_t Default_Valide_Record = 0;
inline constexpr double Default_K_Detect = 50;
inline constexpr double Default_Timer_On = 0;
inline constexpr double Default_Timer_Off = 86399.0 / 86400.0;  // 23:59:59

// "CAM" followed by the slot number.
std::string Default_Alias(int slot);
// The record a settings file without any of the slot's keys gives.
T_Cam Default_Cam(int slot);

// True for the slot numbers 1..9; there is no slot 0.
constexpr bool Is_Slot(int slot)
{
    return slot >= 1 && slot <= Nb_Slots;
}

// The nine records, addressed by slot number 1..9.
class T_Cams {
public:
    T_Cam& operator[](int slot) { return cams_.at(Index(slot)); }
    const T_Cam& operator[](int slot) const { return cams_.at(Index(slot)); }

private:
    static std::size_t Index(int slot)
    {
        if (!Is_Slot(slot))
            throw std::out_of_range("camera slot " + std::to_string(slot));
        return static_cast<std::size_t>(slot - 1);
    }
    std::array<T_Cam, Nb_Slots> cams_{};
};
