#pragma once
#include "acquisition/Http_Settings.h"

#include <string>

class T_Http_Client;

// Settings of the version request's client HTP_Check_Ver: no cookies, 3 s to connect, 5 s for
// each wait on the server.
Http_Settings Check_Ver_Http_Settings();

// Longest time the whole version request may block its caller.
inline constexpr int Check_Ver_Deadline_Ms = 15000;

// Fetches `url` with `client` into a fresh buffer; every failure is caught and ignored, and bytes
// that arrived before a failure count like a complete answer (a refused reply, such as a 404,
// brings no bytes: its body is not the version file). When at least one byte arrived,
// version_available := its first four bytes (fewer when fewer arrived) and the result is true;
// otherwise version_available := "" and the result is false. The request is abandoned after
// `deadline_ms` (see Request_Deadline); the client is usable again afterwards.
bool Fetch_Version(T_Http_Client& client, const std::string& url, int deadline_ms, std::string& version_available);
