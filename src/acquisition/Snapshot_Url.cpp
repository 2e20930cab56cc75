#include "acquisition/Snapshot_Url.h"

#include "util/U_Lib_Util_Vesk.h"

std::string Camera_Base(const T_Cam& cam)
{
    return "http://" + Trim(cam.Ad_Ip + ":" + Int_To_Text(cam.Port, 0));
}

std::string Camera_Credentials(const T_Cam& cam)
{
    return "user=" + Trim(cam.Login) + "&pwd=" + Trim(cam.Password);
}

std::string Snapshot_Url(const T_Cam& cam)
{
    if (cam.Use_Url)
        return Trim(cam.Special_Url);
    return Camera_Base(cam) + "/snapshot.cgi?" + Camera_Credentials(cam);
}

Http_Login Camera_Login(const T_Cam& cam)
{
    return {Trim(cam.Login), Trim(cam.Password)};
}

T_Fetch_Request Fetch_Request(const T_Cam& cam)
{
    return {Snapshot_Url(cam), Camera_Login(cam), cam.Cert_Sha256};
}
