#include "Camera_Commands.h"

#include "Snapshot_Url.h"
#include "U_Lib_Util_Vesk.h"

std::string Jog_Url(const T_Cam& cam, int command)
{
    return Camera_Base(cam) + "/decoder_control.cgi?" + Camera_Credentials(cam) + "&command=" + Int_To_Text(command, 0)
           + "&onestep=1";
}

std::string Preset_Url(const T_Cam& cam, int command)
{
    return Camera_Base(cam) + "/decoder_control.cgi?" + Camera_Credentials(cam) + "&command=" + Int_To_Text(command, 0);
}

std::string Read_Params_Url(const T_Cam& cam)
{
    return Camera_Base(cam) + "/get_camera_params.cgi?" + "&" + Camera_Credentials(cam);
}

std::string Write_Flip_Url(const T_Cam& cam, int value)
{
    return Camera_Base(cam) + "/camera_control.cgi?param=5&value=" + Int_To_Text(value, 0) + "&" + Camera_Credentials(cam);
}

std::string Reboot_Url(const T_Cam& cam)
{
    return Camera_Base(cam) + "/reboot.cgi?" + Camera_Credentials(cam);
}

std::optional<int> Jog_Command(const std::string& button_name)
{
    if (button_name == "BTN_Deplace_Haut")
        return 0;
    if (button_name == "BTN_Deplace_Bas")
        return 2;
    if (button_name == "BTN_Deplace_Gauche")
        return 4;
    if (button_name == "BTN_Deplace_Droite")
        return 6;
    return std::nullopt;
}

std::optional<int> Preset_Number(const std::string& button_name)
{
    constexpr std::size_t Number_Start = 11;   // length of "BTN_Go_PTZ_"
    const std::string tail = button_name.size() > Number_Start ? button_name.substr(Number_Start) : std::string();
    const int n = Text_To_Int(tail);
    if (n < 1 || n > 10)
        return std::nullopt;
    return n;
}

int Preset_Command(int n, bool set_mode)
{
    return set_mode ? 28 + 2 * n : 29 + 2 * n;
}

std::optional<int> Flip_Bit(const std::string& button_name)
{
    if (button_name == "BTN_Flip_V")
        return 1;
    if (button_name == "BTN_Flip_H")
        return 2;
    return std::nullopt;
}

std::string Preset_Question(int n)
{
    return "Are you sure you want to set this actual position to the preset position N\u00B0" + Int_To_Text(n, 0);
}

std::string Reboot_Question(const std::string& alias)
{
    return "Are you sure you want to reboot camera : " + Trim(alias);
}
