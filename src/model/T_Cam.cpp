#include "model/T_Cam.h"

std::string Default_Alias(int slot)
{
    return "CAM" + std::to_string(slot);
}

T_Cam Default_Cam(int slot)
{
    T_Cam cam;
    cam.Valide = Default_Valide;
    cam.Type_Cam = Default_Type_Cam;
    cam.Alias = Default_Alias(slot);
    cam.Ad_Ip = Default_Ad_Ip;
    cam.Port = Default_Port;
    cam.Login = Default_Login;
    cam.Password = Default_Password;
    cam.Use_Url = Default_Use_Url;
    cam.Special_Url = Default_Special_Url;
    cam.Valide_Record = Default_Valide_Record;
    cam.Timer_On = Default_Timer_On;
    cam.Timer_Off = Default_Timer_Off;
    cam.K_Detect = Default_K_Detect;
    return cam;
}

std::string Slot_Caption(int slot, const std::string& alias)
{
    return std::to_string(slot) + "-" + alias;
}
