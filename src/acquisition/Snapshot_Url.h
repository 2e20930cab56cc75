#pragma once
#include "acquisition/Http_Auth.h"
#include "model/T_Cam.h"

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

// What a fetch attempt asks for: the URL, and what answers the camera's challenges and certificate.
struct T_Fetch_Request {
    std::string Url;
    Http_Login Login;         // used when the camera challenges and the URL carries no user information
    std::string Cert_Sha256;  // the certificate an https camera may present when the system does not trust it
    bool operator==(const T_Fetch_Request&) const = default;
};

// What a refresh pass asks the camera's worker to fetch: Snapshot_Url, Camera_Login and the pinned certificate.
T_Fetch_Request Fetch_Request(const T_Cam& cam);
