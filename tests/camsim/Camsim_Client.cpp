#include "Camsim_Client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/ssl.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {

std::string Lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::vector<std::string> Raw_Reply::Headers(std::string_view name) const
{
    std::vector<std::string> values;
    std::size_t at = Head.find("\r\n");
    while (at != std::string::npos && at + 2 < Head.size()) {
        std::size_t end = Head.find("\r\n", at + 2);
        std::string_view line = std::string_view(Head).substr(at + 2, end - at - 2);
        std::size_t colon = line.find(':');
        if (colon != std::string_view::npos && Lower(line.substr(0, colon)) == Lower(name)) {
            std::string_view value = line.substr(colon + 1);
            while (!value.empty() && value.front() == ' ')
                value.remove_prefix(1);
            values.emplace_back(value);
        }
        at = end;
    }
    return values;
}

std::optional<std::string> Raw_Reply::Header(std::string_view name) const
{
    auto values = Headers(name);
    if (values.empty())
        return std::nullopt;
    return values.front();
}

Raw_Client::Raw_Client(int port) : Raw_Client(port, nullptr) {}

Raw_Client::Raw_Client(int port, SSL_CTX* tls)
{
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    timeval limit{2, 0};
    setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (connected_ && tls) {
        ssl_ = SSL_new(tls);
        SSL_set_fd(ssl_, fd_);
        connected_ = SSL_connect(ssl_) == 1;
    }
}

Raw_Client::~Raw_Client()
{
    Close();
}

void Raw_Client::Close()
{
    if (ssl_) {
        SSL_free(ssl_);
        ssl_ = nullptr;
    }
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
}

bool Raw_Client::Send(std::string_view bytes)
{
    while (!bytes.empty()) {
        long sent = ssl_ ? SSL_write(ssl_, bytes.data(), static_cast<int>(bytes.size()))
                         : send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

bool Raw_Client::Fill()
{
    char chunk[16384];
    long got = ssl_ ? SSL_read(ssl_, chunk, sizeof chunk) : recv(fd_, chunk, sizeof chunk, 0);
    if (got <= 0)
        return false;
    buffer_.append(chunk, static_cast<std::size_t>(got));
    return true;
}

Raw_Reply Raw_Client::Get(const std::string& target, const std::string& extra_headers)
{
    if (!Send("GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + extra_headers + "\r\n"))
        return {};
    return Read_Reply();
}

Raw_Reply Raw_Client::Read_Reply()
{
    Raw_Reply reply;
    std::size_t end;
    while ((end = buffer_.find("\r\n\r\n")) == std::string::npos)
        if (!Fill())
            return reply;
    reply.Head = buffer_.substr(0, end + 4);
    buffer_.erase(0, end + 4);
    reply.Status = std::atoi(reply.Head.c_str() + reply.Head.find(' ') + 1);
    if (auto length = reply.Header("Content-Length")) {
        auto size = static_cast<std::size_t>(std::stoul(*length));
        while (buffer_.size() < size && Fill()) {
        }
        reply.Body = buffer_.substr(0, size);
        buffer_.erase(0, reply.Body.size());
    } else {
        reply.Body = Read_Until_Close();
    }
    return reply;
}

std::string Raw_Client::Read_Until_Close()
{
    while (Fill()) {
    }
    return std::exchange(buffer_, std::string());
}

std::string Raw_Client::Read_At_Least(std::size_t n)
{
    while (buffer_.size() < n && Fill()) {
    }
    return std::exchange(buffer_, std::string());
}
