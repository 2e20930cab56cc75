#include "control/Camera_Commands.h"

#include "acquisition/Snapshot_Url.h"
#include "util/U_Lib_Util_Vesk.h"

std::string Jog_Url(const T_Cam& cam, int command)
{
    return Camera_Base(cam) + "/decoder_control.cgi?" + Camera_Credentials(cam) +
           "&command=" + Int_To_Text(command, 0) + "&onestep=1";
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
    return Camera_Base(cam) + "/camera_control.cgi?param=5&value=" + Int_To_Text(value, 0) + "&" +
           Camera_Credentials(cam);
}

std::string Reboot_Url(const T_Cam& cam)
{
    return Camera_Base(cam) + "/reboot.cgi?" + Camera_Credentials(cam);
}

int Preset_Command(int n, bool set_mode)
{
    return set_mode ? 28 + 2 * n : 29 + 2 * n;
}

std::string Preset_Question(int n)
{
    return "Are you sure you want to set this actual position to the preset position N\u00B0" + Int_To_Text(n, 0);
}

std::string Reboot_Question(const std::string& alias)
{
    return "Are you sure you want to reboot camera : " + Trim(alias);
}
