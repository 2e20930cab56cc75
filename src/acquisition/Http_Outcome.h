#pragma once
#include "Http_Reply_Parser.h"

enum class Http_Outcome {
    Accept,            // 2xx: the body goes to the caller
    Accept_No_Body,    // 204: nothing is read
    Accept_Basic,      // 401 answered by the stored user name and password: accepted, body to the caller
    Refuse,            // the body is read aside and E_Http_Protocol_Error raised
};

// What the client does with a reply whose final head is head. can_answer_basic: the object
// holds a user name and a non-blank password from a URL's user information.
// A redirect (3xx except 304, or any non-empty Location) is refused, whatever else it says.
Http_Outcome Decide_Http_Outcome(const Http_Reply_Head& head, bool can_answer_basic);

// True when one of the reply's WWW-Authenticate headers names "Basic" (any case) as its first word.
bool Has_Basic_Challenge(const Http_Headers& headers);

// True when neither Connection nor Proxy-Connection equals "close" (trimmed, any case).
// The reply's HTTP version plays no part.
bool Allows_Keep_Alive(const Http_Headers& headers);
