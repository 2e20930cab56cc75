#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "Abort_Signal.h"
#include "Http_Cookies.h"
#include "Http_Error.h"
#include "Http_Reply_Parser.h"
#include "Http_Settings.h"
#include "Http_Url.h"
#include "Socket.h"

// A small blocking HTTP/1.1 client that only sends GET requests, over plain TCP.
// One object serves one request at a time and belongs to one thread; only Abort and Clear_Abort
// may be called from another thread. Between calls it keeps the connection (when the server
// allows keep-alive), the previous request's server and path, the user name and password of
// the last URL that carried them, the Basic credential and the cookies.
class T_Http_Client {
public:
    explicit T_Http_Client(Http_Settings settings = {});
    ~T_Http_Client();   // closes the connection
    T_Http_Client(const T_Http_Client&) = delete;
    T_Http_Client& operator=(const T_Http_Client&) = delete;

    // Sends one GET for url and appends the accepted reply's body to body.
    // Throws E_Http_Error on every failure; E_Http_Protocol_Error for a refused reply (body then
    // untouched, the refused body in Reply_Body). A failure while the body arrives leaves in body
    // what arrived. The object stays usable after any failure.
    void Get(const std::string& url, std::string& body);

    // Any thread: the call in progress fails at once with E_Http_Error, and so does every call
    // until Clear_Abort.
    void Abort();
    void Clear_Abort();
    // Closes the connection, if any (owning thread only).
    void Disconnect();

    bool Is_Connected() const { return socket_.Is_Open(); }
    bool Has_Basic_Credential() const { return !credential_.empty(); }
    const Http_Cookies& Cookies() const { return cookies_; }
    const Http_Settings& Settings() const { return settings_; }

private:
    void Choose_Connection(const Http_Url& url);
    std::string Request_Head(const Http_Url& url) const;
    // Reads the reply to the request just sent; the connection is kept or closed as the reply allows.
    void Read_Reply(const Http_Url& url, std::string& body);
    // Feeds the parser from the connection until it reports more than Need_More.
    Http_Parse_Status Pump(Http_Reply_Parser& parser, std::string& sink);

    Http_Settings settings_;
    Abort_Signal abort_;
    Socket socket_;
    std::string socket_host_;
    int socket_port_ = 0;
    Http_Url_Base previous_;
    bool has_user_ = false;
    std::string user_;
    std::string password_;
    std::string credential_;            // Base64 of "user:password" once a Basic challenge was answered
    Http_Cookies cookies_;
    std::vector<char> buffer_;
    std::size_t unread_begin_ = 0;      // bytes of buffer_ received but not yet parsed
    std::size_t unread_end_ = 0;
    bool saw_close_ = false;
    std::size_t reply_bytes_ = 0;       // bytes received for the current request
};
