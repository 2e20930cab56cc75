#pragma once
#include <QByteArray>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "camsim/Camsim_Auth.h"
#include "camsim/Camsim_Fault.h"
#include "camsim/Camsim_Stream.h"
#include "camsim/Camsim_Tls.h"

struct Camsim_Options {
    int Count = 1;      // cameras, on consecutive ports
    int Base_Port = 0;  // 0: every camera gets a port the system chooses
    int Width = 640;
    int Height = 480;
    double Fps = 5;  // scene changes per second
    std::string Login = "admin";
    std::string Password;
    std::string Log_File;                              // raw request heads are appended here when set
    std::vector<std::pair<int, Camsim_Fault>> Faults;  // camera number (1-based), mode
    int Reboot_Ms = 5000;                              // how long a rebooting camera stays offline
    int Slow_Ms = 2000;                                // delay of the "slow" fault
    int Idle_Timeout_Ms = 60000;                       // a kept connection with no request for this long is closed
                                                       // (and a TLS handshake not done by then is dropped)
    // Per camera (1-based); a later entry for the same camera replaces an earlier one.
    std::vector<std::pair<int, Camsim_Auth>> Auth;       // cameras behind Basic or Digest challenges
    std::vector<std::pair<int, Camsim_Tls>> Tls;         // https cameras
    std::vector<std::pair<int, Camsim_Stream>> Streams;  // how /videostream.cgi frames its parts
    std::vector<std::pair<int, QByteArray>> Pictures;    // a fixed JPEG picture instead of the scene
};

// Reads the command line (without the program name). nullopt with error set for bad input;
// nullopt with error empty for --help.
std::optional<Camsim_Options> Parse_Camsim_Args(const std::vector<std::string>& args, std::string& error);

// The --help text.
std::string Camsim_Usage();
