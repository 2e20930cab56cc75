#pragma once
#include "Http_Auth.h"
#include "T_Cam.h"

#include <string>

// The URL a refresh pass asks the camera's worker to fetch.
// With Use_Url: Special_Url without the blanks and control characters at its ends, nothing else changed.
// Otherwise: "http://" + (Ad_Ip + ":" + Port) trimmed as one text (a blank between the address and the colon
// stays) + "/snapshot.cgi?" + "user=" + Login trimmed + "&pwd=" + Password trimmed. Nothing is escaped.
std::string Snapshot_Url(const T_Cam& cam);

// "user=" + Login trimmed + "&pwd=" + Password trimmed: how every request names its user to the camera.
std::string Camera_Credentials(const T_Cam& cam);

// "http://" + (Ad_Ip + ":" + Port) trimmed as one text: the start of every URL built from a camera's address.
std::string Camera_Base(const T_Cam& cam);

// Login and Password trimmed: what answers a camera's authentication challenge (the snapshot request's
// and every command's) when the URL carries no user information of its own.
Http_Login Camera_Login(const T_Cam& cam);
