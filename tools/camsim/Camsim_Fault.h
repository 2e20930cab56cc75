#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How a simulated camera misbehaves when it answers (every path alike).
enum class Camsim_Fault {
    Keep_Alive,        // a well-behaved camera: Content-Length, connection kept
    Close,             // "Connection: close", then closes
    Close_Upper,       // "Connection: CLOSE", but keeps the socket open (the client must close it)
    Silent_Close,      // closes after the reply without saying so
    Chunked,           // Transfer-Encoding: chunked
    No_Length,         // no Content-Length: the body ends with the close
    Short_Body,        // Content-Length twice the body, then closes
    Continue_100,      // an interim "100 Continue" reply first
    Set_Cookie,        // a Set-Cookie header on every reply
    Redirect_302,      // 302 Found to a login page
    Location_200,      // the normal reply plus a Location header
    Unauthorized_401,  // 401 with a Basic challenge
    Not_Found_404,
    Html_200,             // 200 with an HTML page instead of the expected body
    Hang,                 // reads the request and never answers
    Slow,                 // waits before answering
    Reset_Mid_Body,       // sends half the body, then resets the connection
    Multipart_One,        // a picture as a one-part multipart/x-mixed-replace body with its closing
                          // boundary, Content-Length of the whole body (other answers as Keep_Alive)
    Multipart_One_Close,  // the same without Content-Length: the body ends with the close
};

// The name used on the command line ("keep-alive", "close", "chunked", ...).
std::string Camsim_Fault_Name(Camsim_Fault fault);
std::optional<Camsim_Fault> Camsim_Fault_From_Name(std::string_view name);
// Every fault, in declaration order.
const std::vector<Camsim_Fault>& Camsim_All_Faults();
