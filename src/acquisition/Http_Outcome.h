#pragma once
#include "acquisition/Http_Reply_Parser.h"

enum class Http_Outcome {
    Accept,          // 2xx: the body goes to the caller
    Accept_No_Body,  // 204: nothing is read
    Refuse,          // the body is read aside and E_Http_Protocol_Error raised
};

// What the client does with a reply whose final head is head. A redirect (3xx except 304, or any
// non-empty Location) is refused, whatever else it says; so is a 401, whose challenge the client
// may answer with a new request.
Http_Outcome Decide_Http_Outcome(const Http_Reply_Head& head);

// True when neither Connection nor Proxy-Connection equals "close" (trimmed, any case).
// The reply's HTTP version plays no part.
bool Allows_Keep_Alive(const Http_Headers& headers);
