#include "acquisition/Socket.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "acquisition/Abort_Signal.h"
#include "acquisition/Http_Error.h"
#include "acquisition/Http_Text.h"
#include "acquisition/Name_Lookup.h"
#include "acquisition/Tls_Session.h"

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void Throw_Socket_Error(int error)
{
    throw E_Http_Error("Socket Error # " + std::to_string(error) + ": " + std::strerror(error), error);
}

int Remaining_Ms(Clock::time_point deadline)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

}  // namespace

Socket::Socket() = default;

Socket::Socket(int fd) : fd_(fd) {}

Socket::~Socket()
{
    Close();
}

Socket::Socket(Socket&& other) noexcept : fd_(other.fd_), tls_(std::move(other.tls_))
{
    other.fd_ = -1;
}

Socket& Socket::operator=(Socket&& other) noexcept
{
    if (this != &other) {
        Close();
        fd_ = other.fd_;
        tls_ = std::move(other.tls_);
        other.fd_ = -1;
    }
    return *this;
}

void Socket::Close()
{
    tls_.reset();  // before its descriptor goes
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

void Socket::Start_Tls(const Tls_Context& context, const std::string& host, const std::string& pinned_sha256,
                       int timeout_ms, const Abort_Signal& abort)
{
    auto session = std::make_unique<Tls_Session>(context, fd_, host, pinned_sha256);
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    session->Handshake([&](bool want_write) {
        return Wait(want_write ? POLLOUT : POLLIN, Remaining_Ms(deadline), abort, Http_Error_Text::Handshake_Timed_Out);
    });
    tls_ = std::move(session);
}

bool Socket::Wait(short events, int timeout_ms, const Abort_Signal& abort, const char* timeout_text,
                  Abort_Signal* wake) const
{
    auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        if (abort.Is_Raised())
            throw E_Http_Error(Http_Error_Text::Aborted, ECANCELED);
        if (wake && wake->Is_Raised()) {
            wake->Clear();
            return false;
        }
        pollfd fds[3] = {{fd_, events, 0}, {abort.Fd(), POLLIN, 0}, {wake ? wake->Fd() : -1, POLLIN, 0}};
        int ready = ::poll(fds, wake ? 3 : 2, Remaining_Ms(deadline));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            Throw_Socket_Error(errno);
        }
        if (abort.Is_Raised())
            throw E_Http_Error(Http_Error_Text::Aborted, ECANCELED);
        if (fds[1].revents != 0) {
            abort.Absorb_Stale();
            continue;
        }
        if (wake && fds[2].revents != 0) {
            if (wake->Is_Raised()) {
                wake->Clear();
                return false;
            }
            wake->Absorb_Stale();
            continue;
        }
        if (ready == 0) {
            if (Remaining_Ms(deadline) > 0)
                continue;
            throw E_Http_Error(timeout_text, ETIMEDOUT);
        }
        return true;  // readable, writable, hung up or in error: the next call tells which
    }
}

Socket Socket::Connect(const std::string& host, int port, int timeout_ms, const Abort_Signal& abort,
                       int lookup_timeout_ms, const std::string& name_servers)
{
    const std::vector<Socket_Address> addresses = Look_Up_Host(host, port, lookup_timeout_ms, abort, name_servers);
    auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    int last_error = ECONNREFUSED;
    for (const Socket_Address& a : addresses) {
        Socket socket(::socket(a.Family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP));
        if (!socket.Is_Open()) {
            last_error = errno;
            continue;
        }
        if (::connect(socket.fd_, reinterpret_cast<const sockaddr*>(&a.Address), a.Length) != 0) {
            if (errno != EINPROGRESS) {
                last_error = errno;
                continue;
            }
            socket.Wait(POLLOUT, Remaining_Ms(deadline), abort, Http_Error_Text::Connect_Timed_Out);
            int error = 0;
            socklen_t length = sizeof error;
            if (::getsockopt(socket.fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
                error = errno;
            if (error != 0) {
                last_error = error;
                continue;
            }
        }
        int one = 1;
        ::setsockopt(socket.fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        return socket;
    }
    Throw_Socket_Error(last_error);
}

void Socket::Send_All(std::string_view data, int timeout_ms, const Abort_Signal& abort)
{
    if (tls_) {
        tls_->Write(data, [&](bool want_write) {
            return Wait(want_write ? POLLOUT : POLLIN, timeout_ms, abort, Http_Error_Text::Read_Timed_Out);
        });
        return;
    }
    while (!data.empty()) {
        if (abort.Is_Raised())
            throw E_Http_Error(Http_Error_Text::Aborted, ECANCELED);
        ssize_t sent = ::send(fd_, data.data(), data.size(), MSG_NOSIGNAL);
        if (sent >= 0) {
            data.remove_prefix(static_cast<std::size_t>(sent));
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            Wait(POLLOUT, timeout_ms, abort, Http_Error_Text::Read_Timed_Out);
        } else if (errno != EINTR) {
            Throw_Socket_Error(errno);
        }
    }
}

std::size_t Socket::Receive(char* buffer, std::size_t size, int timeout_ms, const Abort_Signal& abort,
                            Abort_Signal* wake)
{
    if (tls_) {
        if (abort.Is_Raised())
            throw E_Http_Error(Http_Error_Text::Aborted, ECANCELED);
        const std::size_t got = tls_->Read(buffer, size, [&](bool want_write) {
            return Wait(want_write ? POLLOUT : POLLIN, timeout_ms, abort, Http_Error_Text::Read_Timed_Out, wake);
        });
        return got == Tls_Session::Interrupted ? Woken : got;
    }
    for (;;) {
        if (abort.Is_Raised())
            throw E_Http_Error(Http_Error_Text::Aborted, ECANCELED);
        ssize_t got = ::recv(fd_, buffer, size, 0);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!Wait(POLLIN, timeout_ms, abort, Http_Error_Text::Read_Timed_Out, wake))
                return Woken;
        } else if (errno != EINTR) {
            Throw_Socket_Error(errno);
        }
    }
}

Socket::Probe_Result Socket::Probe()
{
    if (fd_ < 0)
        return Probe_Result::Closed;
    pollfd fds{fd_, POLLIN, 0};
    int ready = ::poll(&fds, 1, 0);
    if (ready == 0)
        return Probe_Result::Idle;
    if (ready < 0)
        return Probe_Result::Closed;
    if (tls_) {
        switch (tls_->Peek()) {
        case Tls_Session::Peek_Result::Idle: return Probe_Result::Idle;
        case Tls_Session::Peek_Result::Unread_Data: return Probe_Result::Unread_Data;
        case Tls_Session::Peek_Result::Closed: return Probe_Result::Closed;
        }
    }
    char byte;
    ssize_t got = ::recv(fd_, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    if (got > 0)
        return Probe_Result::Unread_Data;
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        return Probe_Result::Idle;
    return Probe_Result::Closed;
}
