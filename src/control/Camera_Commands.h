#pragma once
#include "model/T_Cam.h"

#include <optional>
#include <string>

// The CGI requests sent to a camera, built from its stored record. Login and password are trimmed
// (blanks and control characters at both ends); nothing is percent-encoded, so a password holding
// "&" or a blank stands in the query exactly as typed. Numbers are plain decimal.

// base + "/decoder_control.cgi?user=L&pwd=P&command=N&onestep=1": one pan or tilt step.
std::string Jog_Url(const T_Cam& cam, int command);
// base + "/decoder_control.cgi?user=L&pwd=P&command=N": store or recall a preset.
std::string Preset_Url(const T_Cam& cam, int command);
// base + "/get_camera_params.cgi?&user=L&pwd=P" (the "&" right after "?" is what cameras expect).
std::string Read_Params_Url(const T_Cam& cam);
// base + "/camera_control.cgi?param=5&value=V&user=L&pwd=P": the new mirror state.
std::string Write_Flip_Url(const T_Cam& cam, int value);
// base + "/reboot.cgi?user=L&pwd=P".
std::string Reboot_Url(const T_Cam& cam);

// Command number for preset n (1..10): 28 + 2n to store the current position, 29 + 2n to go there.
int Preset_Command(int n, bool set_mode);

// The question asked before storing preset n: "... preset position N°" + n (degree sign U+00B0).
std::string Preset_Question(int n);
// The question asked before a reboot: "... reboot camera : " + the alias trimmed.
std::string Reboot_Question(const std::string& alias);
