#include "support/Scripted_Server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace {
constexpr int Safety_Limit_Ms = 20000;
constexpr std::size_t Max_Recorded = 1 << 20;
}  // namespace

struct Scripted_Server::Connection {
    int fd = -1;
    std::string received;  // guarded by the server's mutex
    std::atomic<bool> done{false};
    std::thread thread;
};

Scripted_Server::Scripted_Server(std::vector<Connection_Script> scripts, bool ipv6)
    : scripts_(std::move(scripts)), ipv6_(ipv6)
{
    stop_fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    listen_fd_ = socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (stop_fd_ < 0 || listen_fd_ < 0)
        throw std::runtime_error("Scripted_Server: cannot create sockets");
    int one = 1;
    setsockopt(listen_fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_storage address{};
    socklen_t length;
    if (ipv6) {
        auto* a6 = reinterpret_cast<sockaddr_in6*>(&address);
        a6->sin6_family = AF_INET6;
        a6->sin6_addr = in6addr_loopback;
        length = sizeof(sockaddr_in6);
    } else {
        auto* a4 = reinterpret_cast<sockaddr_in*>(&address);
        a4->sin_family = AF_INET;
        a4->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        length = sizeof(sockaddr_in);
    }
    if (bind(listen_fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(listen_fd_, 16) != 0)
        throw std::runtime_error(std::string("Scripted_Server: bind/listen: ") + std::strerror(errno));
    getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(ipv6 ? reinterpret_cast<sockaddr_in6*>(&address)->sin6_port
                       : reinterpret_cast<sockaddr_in*>(&address)->sin_port);
    acceptor_ = std::thread([this] { Accept_Loop(); });
}

Scripted_Server::~Scripted_Server()
{
    Stop();
}

std::string Scripted_Server::Base_Url() const
{
    return (ipv6_ ? "http://[::1]:" : "http://127.0.0.1:") + std::to_string(port_);
}

std::vector<std::string> Scripted_Server::Requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

std::string Scripted_Server::Received(std::size_t index) const
{
    std::lock_guard lock(mutex_);
    return index < connections_.size() ? connections_[index]->received : std::string();
}

bool Scripted_Server::Wait_Idle(int timeout_ms) const
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        bool idle = true;
        {
            std::lock_guard lock(mutex_);
            for (const auto& c : connections_)
                idle = idle && c->done.load();
        }
        if (idle)
            return true;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void Scripted_Server::Stop()
{
    if (stopped_.exchange(true))
        return;
    std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = write(stop_fd_, &one, sizeof one);
    if (acceptor_.joinable())
        acceptor_.join();
    for (auto& c : connections_)
        if (c->thread.joinable())
            c->thread.join();
    close(listen_fd_);
    close(stop_fd_);
}

void Scripted_Server::Accept_Loop()
{
    for (;;) {
        pollfd fds[2] = {{listen_fd_, POLLIN, 0}, {stop_fd_, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 && errno != EINTR)
            return;
        if (fds[1].revents)
            return;
        if (!(fds[0].revents & POLLIN))
            continue;
        int fd = accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        std::size_t index = static_cast<std::size_t>(accepted_.fetch_add(1));
        auto connection = std::make_unique<Connection>();
        connection->fd = fd;
        Connection& c = *connection;
        {
            std::lock_guard lock(mutex_);
            connections_.push_back(std::move(connection));
        }
        static const Connection_Script close_at_once{Step::Close()};
        const Connection_Script& script = index < scripts_.size() ? scripts_[index] : close_at_once;
        c.thread = std::thread([this, &c, &script] { Serve(c, script); });
    }
}

void Scripted_Server::Serve(Connection& c, const Connection_Script& script)
{
    std::string unread;
    auto started = std::chrono::steady_clock::now();
    // Waits for bytes (or the client's close) until stop or the safety limit; false to give up.
    auto receive = [&]() -> bool {
        for (;;) {
            auto elapsed =
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started)
                    .count();
            if (elapsed > Safety_Limit_Ms)
                return false;
            pollfd fds[2] = {{c.fd, POLLIN, 0}, {stop_fd_, POLLIN, 0}};
            int ready = poll(fds, 2, static_cast<int>(Safety_Limit_Ms - elapsed));
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready <= 0 || fds[1].revents)
                return false;
            char buffer[4096];
            ssize_t got = recv(c.fd, buffer, sizeof buffer, 0);
            if (got <= 0)
                return false;
            unread.append(buffer, static_cast<std::size_t>(got));
            std::lock_guard lock(mutex_);
            if (c.received.size() < Max_Recorded)
                c.received.append(buffer, static_cast<std::size_t>(got));
            return true;
        }
    };
    bool open = true;
    for (const auto& step : script) {
        if (!open)
            break;
        switch (step.What) {
        case Script_Step::Kind::Read_Request: {
            std::size_t end;
            while ((end = unread.find("\r\n\r\n")) == std::string::npos)
                if (!receive()) {
                    open = false;
                    break;
                }
            if (!open)
                break;
            std::lock_guard lock(mutex_);
            requests_.push_back(unread.substr(0, end + 4));
            unread.erase(0, end + 4);
            break;
        }
        case Script_Step::Kind::Send: {
            std::string_view rest(step.Bytes);
            while (!rest.empty()) {
                ssize_t sent = send(c.fd, rest.data(), rest.size(), MSG_NOSIGNAL);
                if (sent < 0) {
                    if (errno == EINTR)
                        continue;
                    open = false;
                    break;
                }
                rest.remove_prefix(static_cast<std::size_t>(sent));
            }
            break;
        }
        case Script_Step::Kind::Pause: {
            pollfd stop{stop_fd_, POLLIN, 0};
            poll(&stop, 1, step.Ms);
            break;
        }
        case Script_Step::Kind::Reset: {
            linger hard{1, 0};
            setsockopt(c.fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
            open = false;
            break;
        }
        case Script_Step::Kind::Close:
            shutdown(c.fd, SHUT_RDWR);
            open = false;
            break;
        case Script_Step::Kind::Hang:
            while (receive()) {
            }
            open = false;
            break;
        }
    }
    // A script that ends open keeps the connection until the client closes it.
    while (open && receive()) {
    }
    close(c.fd);
    c.done = true;
}
