#include "model/Cams_Ini.h"

#include "platform/Ini_Keys.h"
#include "util/Fingerprint_Text.h"
#include "util/U_Lib_Util_Vesk.h"

#include <optional>

namespace {

const std::string Pin_Key = "Cert_Sha256";

// The pinned certificate, read without completing the file: a fingerprint in any usual spelling
// comes back as 64 lower-case hex digits; other text stays as it is (and pins nothing).
std::string Read_Pin(const std::string& file, const std::string& section)
{
    const std::optional<std::string> text = Ini_Read_Optional_String(file, section, Pin_Key);
    if (!text)
        return {};
    const std::string pin = Normalized_Sha256(*text);
    return pin.empty() ? *text : pin;
}

}  // namespace

std::string Cam_Section(int slot)
{
    return "CAM" + Int_To_Text(slot, 0);
}

void Read_Cams_Ini(const std::string& file, T_Cams& cams)
{
    for (int slot = 1; slot <= Nb_Slots; ++slot)
        try {
            const std::string section = Cam_Section(slot);
            const T_Cam def = Default_Cam(slot);
            T_Cam cam;
            cam.Valide = Ini_Read_Bool(file, section, "Valide", def.Valide);
            cam.Type_Cam = Ini_Read_Int(file, section, "Type_Cam", def.Type_Cam);
            cam.Alias = Ini_Read_String(file, section, "Alias", def.Alias);
            cam.Ad_Ip = Ini_Read_String(file, section, "Ad_Ip", def.Ad_Ip);
            cam.Port = Ini_Read_Int(file, section, "Port", def.Port);
            cam.Login = Ini_Read_String(file, section, "Login", def.Login);
            cam.Password = Ini_Read_String(file, section, "Password", def.Password);
            cam.Use_Url = Ini_Read_Bool(file, section, "Use_Url", def.Use_Url);
            cam.Special_Url = Ini_Read_String(file, section, "Special_Url", def.Special_Url);
            cam.Valide_Record = Ini_Read_Int(file, section, "Valide_Record", def.Valide_Record);
            cam.K_Detect = Ini_Read_Float(file, section, "K_Detect", def.K_Detect);
            cam.Timer_On = Ini_Read_Float(file, section, "Timer_On", def.Timer_On);
            cam.Timer_Off = Ini_Read_Float(file, section, "Timer_Off", def.Timer_Off);
            cam.Cert_Sha256 = Read_Pin(file, section);
            cams[slot] = std::move(cam);
        } catch (...) {
            // Only an exhausted memory gets here; the slot keeps what it held.
        }
}

void Write_Cams_Ini(const std::string& file, const T_Cams& cams)
{
    for (int slot = 1; slot <= Nb_Slots; ++slot)
        try {
            const std::string section = Cam_Section(slot);
            const T_Cam& cam = cams[slot];
            Ini_Write_Bool(file, section, "Valide", cam.Valide);
            Ini_Write_Int(file, section, "Type_Cam", cam.Type_Cam);
            Ini_Write_String(file, section, "Alias", cam.Alias);
            Ini_Write_String(file, section, "Ad_Ip", cam.Ad_Ip);
            Ini_Write_Int(file, section, "Port", cam.Port);
            Ini_Write_String(file, section, "Login", cam.Login);
            Ini_Write_String(file, section, "Password", cam.Password);
            Ini_Write_Bool(file, section, "Use_Url", cam.Use_Url);
            Ini_Write_String(file, section, "Special_Url", cam.Special_Url);
            Ini_Write_Int(file, section, "Valide_Record", cam.Valide_Record);
            Ini_Write_Float(file, section, "K_Detect", cam.K_Detect);
            Ini_Write_Float(file, section, "Timer_On", cam.Timer_On);
            Ini_Write_Float(file, section, "Timer_Off", cam.Timer_Off);
            if (cam.Cert_Sha256.empty())
                Ini_Delete_Key(file, section, Pin_Key);
            else
                Ini_Write_String(file, section, Pin_Key, cam.Cert_Sha256);
        } catch (...) {
            // Only an exhausted memory gets here; the next slot is still attempted.
        }
}
