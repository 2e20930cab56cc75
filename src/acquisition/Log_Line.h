#pragma once
#include "platform/Clock.h"

#include <cstdint>
#include <string>

// The request log's lines, one per handled camera and refresh pass.

// hh:mm:ss_mmm of the pass's clock reading, as in 14:03:07_045.
std::string Log_Stamp(const Local_Date_Time& now);

// A picture was shown:
// stamp " | Thread CAM N°" N " | Time requested : " time (blank-filled to 6) "ms | URL : " "url" CR.
std::string Log_Line_Shown(const std::string& stamp, int slot, int64_t time_requested, const std::string& url);

// No picture: stamp " | Thread CAM N°" N " | NOT CONNECTED TO NETWORK! | URL : " "url" CR.
std::string Log_Line_Not_Connected(const std::string& stamp, int slot, const std::string& url);

// Why a camera fails, or what happened to its stream: stamp " | Thread CAM N°" N " | " note CR.
std::string Log_Line_Note(const std::string& stamp, int slot, const std::string& note);
