#pragma once
#include <stdexcept>
#include <string>

// Every failure of T_Http_Client::Get reaches the caller as an E_Http_Error.
// Socket_Error carries the operating system's error number (errno) when the failure came from a
// socket call, the negative getaddrinfo code (EAI_*) when the host name could not be resolved,
// and 0 otherwise.
struct E_Http_Error : std::runtime_error {
    explicit E_Http_Error(const std::string& message, int socket_error = 0)
        : std::runtime_error(message), Socket_Error(socket_error)
    {}
    int Socket_Error = 0;
};

// A reply the client refuses (redirect, 401 outside the Basic case, any status other than 2xx).
// what() is the reply's status line; Error_Code its status code (-1 when the status line holds no
// number); Reply_Body the refused reply's body, one byte per character.
struct E_Http_Protocol_Error : E_Http_Error {
    E_Http_Protocol_Error(int error_code, const std::string& status_line, std::string reply_body)
        : E_Http_Error(status_line), Error_Code(error_code), Reply_Body(std::move(reply_body))
    {}
    int Error_Code;
    std::string Reply_Body;
};

// The fixed error texts callers and tests may compare against.
namespace Http_Error_Text {
inline constexpr const char* Unknown_Protocol = "Unknown Protocol";
inline constexpr const char* Closed_Gracefully = "Connection Closed Gracefully.";
inline constexpr const char* Max_Line_Length = "Max line length exceeded.";
inline constexpr const char* Aborted = "Request aborted.";
inline constexpr const char* Connect_Timed_Out = "Connect timed out.";
inline constexpr const char* Lookup_Timed_Out = "The name servers did not answer in time.";
inline constexpr const char* Read_Timed_Out = "Read timed out.";
inline constexpr const char* Handshake_Timed_Out = "TLS handshake timed out.";
inline constexpr const char* Stream_Stalled = "The stream sent no complete picture within the read time-out.";
inline constexpr const char* Tls_Cut = "The camera cut the TLS connection without closing it.";
inline constexpr const char* Empty_Url = "The URL is empty.";
inline constexpr const char* Bad_Url_Character = "The URL contains a line break or NUL character.";
inline constexpr const char* Bad_Port = "Invalid port number.";
inline constexpr const char* Empty_Host = "The URL names no host.";
inline constexpr const char* Too_Many_Headers = "Too many header lines.";
inline constexpr const char* Head_Too_Large = "Reply head too large.";
inline constexpr const char* Body_Too_Large = "Reply body too large.";
inline constexpr const char* Chunk_Size_Too_Long = "Chunk size line too long.";
inline constexpr const char* Bad_Content_Length = "Invalid Content-Length.";
}  // namespace Http_Error_Text
