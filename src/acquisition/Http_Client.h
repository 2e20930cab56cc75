#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "acquisition/Abort_Signal.h"
#include "acquisition/Http_Auth.h"
#include "acquisition/Http_Cookies.h"
#include "acquisition/Http_Error.h"
#include "acquisition/Http_Reply_Parser.h"
#include "acquisition/Http_Settings.h"
#include "acquisition/Http_Stream.h"
#include "acquisition/Http_Url.h"
#include "acquisition/Socket.h"
#include "acquisition/Tls_Context.h"

// A small blocking HTTP/1.1 client that only sends GET requests, over plain TCP or TLS (https).
// One object serves one request at a time and belongs to one thread; only Abort and Clear_Abort
// may be called from another thread. Between calls it keeps the connection (when the server
// allows keep-alive), the previous request's server and path, the user name and password of
// the last URL that carried them, the last authentication challenge it answered and the cookies.
class T_Http_Client {
public:
    explicit T_Http_Client(Http_Settings settings = {});
    ~T_Http_Client();  // closes the connection
    T_Http_Client(const T_Http_Client&) = delete;
    T_Http_Client& operator=(const T_Http_Client&) = delete;

    // Sends one GET for url and appends the accepted reply's body to body.
    // A 401 whose challenge (Digest or Basic) can be answered is answered with one more request:
    // with the user information of the URL (percent-decoded) when it has some, else with the login
    // of Set_Login. Throws E_Http_Error on every failure; E_Http_Protocol_Error for a refused reply
    // (body then untouched, the refused body in Reply_Body). A failure while the body arrives leaves
    // in body what arrived. The object stays usable after any failure.
    void Get(const std::string& url, std::string& body);
    // The same, taking a stream when the server sends one: when the accepted reply is
    // multipart/x-mixed-replace, its parts go to stream as they arrive (body stays untouched) and the
    // call lasts as long as the stream: it returns at the stream's closing boundary or the server's
    // close, and throws E_Http_Error when the connection fails, a part breaks a bound, or no part
    // completes within the read time-out. A Raise of wake (any thread) interrupts the waits for
    // bytes to call stream.Woken(). Any other reply is read into body as by Get.
    void Get(const std::string& url, std::string& body, Http_Stream_Handler& stream, Abort_Signal& wake);

    // The user name and password for servers that challenge, when the URL carries none.
    void Set_Login(const Http_Login& login) { login_ = login; }
    // The SHA-256 of the certificate an https server may present when the system does not trust it
    // ("" for none; colons and upper case accepted). A refused certificate fails the call with
    // E_Tls_Untrusted before anything is sent.
    void Set_Pinned_Certificate(const std::string& sha256);

    // Any thread: the call in progress fails at once with E_Http_Error, and so does every call
    // until Clear_Abort.
    void Abort();
    void Clear_Abort();
    // Closes the connection, if any (owning thread only).
    void Disconnect();

    bool Is_Connected() const { return socket_.Is_Open(); }
    const Http_Authenticator& Authenticator() const { return auth_; }
    const Http_Cookies& Cookies() const { return cookies_; }
    const Http_Settings& Settings() const { return settings_; }

private:
    void Get(const std::string& url, std::string& body, Http_Stream_Handler* stream, Abort_Signal* wake);
    void Choose_Connection(const Http_Url& url);
    std::string Request_Head(const Http_Url& url, const std::string& authorization) const;
    // Sends head (on the kept connection, or a new one) and reads the reply into body. A kept
    // connection the server dropped just as the request left gets one new connection when the
    // settings allow a resend.
    void Exchange(const Http_Url& url, const std::string& head, std::string& body);
    // Reads the reply to the request just sent; the connection is kept or closed as the reply allows.
    void Read_Reply(const Http_Url& url, std::string& body);
    // Reads a multipart/x-mixed-replace body into stream_ until it ends.
    void Read_Stream(Http_Reply_Parser& parser, const std::string& boundary);
    // Feeds the parser from the connection until it reports more than Need_More.
    Http_Parse_Status Pump(Http_Reply_Parser& parser, std::string& sink);

    Http_Settings settings_;
    Abort_Signal abort_;
    Socket socket_;
    std::string socket_host_;
    int socket_port_ = 0;
    bool socket_tls_ = false;
    std::string pinned_;                // normalized SHA-256, "" for none
    std::unique_ptr<Tls_Context> tls_;  // made at the first https request
    Http_Url_Base previous_;
    Http_Login url_login_;  // user information of the last URL that named a server
    Http_Login login_;      // Set_Login
    Http_Authenticator auth_;
    Http_Reply_Head last_head_;              // head of the last reply read
    Http_Stream_Handler* stream_ = nullptr;  // of the call in progress
    Abort_Signal* wake_ = nullptr;
    Http_Cookies cookies_;
    std::vector<char> buffer_;
    std::size_t unread_begin_ = 0;  // bytes of buffer_ received but not yet parsed
    std::size_t unread_end_ = 0;
    bool saw_close_ = false;
    std::size_t reply_bytes_ = 0;  // bytes received for the current request
};
