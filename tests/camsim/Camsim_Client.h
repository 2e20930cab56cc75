#pragma once
#include <openssl/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One reply as read off the wire.
struct Raw_Reply {
    int Status = 0;    // 0: no reply (the connection ended first)
    std::string Head;  // status line to empty line
    std::string Body;

    // Values of every header line named name (any case), in order.
    std::vector<std::string> Headers(std::string_view name) const;
    std::optional<std::string> Header(std::string_view name) const;
};

// A blocking test client on 127.0.0.1:port, plain or TLS, that sends raw bytes and reads replies.
// Every read and write gives up after 2 s, so a faulty server fails a test instead of hanging it.
class Raw_Client {
public:
    explicit Raw_Client(int port);
    // A TLS handshake with tls (the client's context) right after connecting; Connected() tells
    // whether it succeeded.
    Raw_Client(int port, SSL_CTX* tls);
    ~Raw_Client();
    Raw_Client(const Raw_Client&) = delete;
    Raw_Client& operator=(const Raw_Client&) = delete;

    bool Connected() const { return connected_; }
    SSL* Ssl() const { return ssl_; }

    bool Send(std::string_view bytes);
    // "GET target HTTP/1.1" with extra header lines (each ending in CRLF), then its reply: the body
    // by Content-Length, or up to the close when there is none.
    Raw_Reply Get(const std::string& target, const std::string& extra_headers = "");
    Raw_Reply Read_Reply();
    // Every byte until the server closes or 2 s pass without one.
    std::string Read_Until_Close();
    // At least n more bytes (fewer when the connection ends first).
    std::string Read_At_Least(std::size_t n);
    void Close();

private:
    // Some bytes appended to buffer_; false at the end of the connection or after the time limit.
    bool Fill();

    int fd_ = -1;
    SSL* ssl_ = nullptr;
    bool connected_ = false;
    std::string buffer_;
};
