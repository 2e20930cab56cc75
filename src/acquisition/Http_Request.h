#pragma once
#include <string>

#include "acquisition/Http_Settings.h"
#include "acquisition/Http_Url.h"

// The parts of one request head beyond the URL.
struct Http_Request_Extras {
    std::string Authorization;  // whole value ("Basic ..."); no line when empty
    std::string Cookie;         // whole value ("a=1; b=2"); no line when empty
};

// The request head for url, every line ending with CR LF and closed by an empty line:
// "GET <target> HTTP/<version>", then Host, Accept, Accept-Encoding, User-Agent, Authorization
// and Cookie in that order. Host carries ":" and the port text unless that text is the scheme's
// default ("80", or "443" for https); an IPv6
// literal host is written in brackets, since "::1:8080" would be a malformed Host value.
std::string Build_Request_Head(const Http_Url& url, const Http_Settings& settings, const Http_Request_Extras& extras);
