#include "camsim/Camsim_Link.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds left until deadline for a wait of timeout_ms (-1 stays -1).
int Left(int timeout_ms, Clock::time_point deadline)
{
    if (timeout_ms < 0)
        return -1;
    return static_cast<int>(
        std::max<long long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count()));
}

class Plain_Link final : public Camsim_Link {
public:
    Plain_Link(int fd, int stop_fd) : Camsim_Link(fd, stop_fd) {}

    bool Open(int) override { return true; }

    Read_Result Read(std::string& out, int timeout_ms) override
    {
        auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
        for (;;) {
            Camsim_Wait wait = Camsim_Wait_For(fd_, POLLIN, stop_fd_, Left(timeout_ms, deadline));
            if (wait == Camsim_Wait::Stopped)
                return Read_Result::Stopped;
            if (wait == Camsim_Wait::Timed_Out)
                return Read_Result::Timed_Out;
            char buffer[4096];
            ssize_t got = recv(fd_, buffer, sizeof buffer, 0);
            if (got > 0) {
                out.append(buffer, static_cast<std::size_t>(got));
                return Read_Result::Data;
            }
            if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
                return Read_Result::Closed;
        }
    }

    bool Send(std::string_view data) override
    {
        while (!data.empty()) {
            ssize_t sent = send(fd_, data.data(), data.size(), MSG_NOSIGNAL);
            if (sent > 0) {
                data.remove_prefix(static_cast<std::size_t>(sent));
            } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                if (Camsim_Wait_For(fd_, POLLOUT, stop_fd_, Send_Stall_Ms) != Camsim_Wait::Ready)
                    return false;
            } else if (!(sent < 0 && errno == EINTR)) {
                return false;
            }
        }
        return true;
    }

    void Finish() override { shutdown(fd_, SHUT_WR); }
};

// TLS on a non-blocking socket: each OpenSSL call is repeated after a poll() for what it asked for
// (readable or writable), so the handshake, reads and writes all wait inside the same stoppable loop.
class Tls_Link final : public Camsim_Link {
public:
    Tls_Link(int fd, int stop_fd, std::shared_ptr<SSL_CTX> context)
        : Camsim_Link(fd, stop_fd), context_(std::move(context)), ssl_(SSL_new(context_.get()))
    {
        // SSL_set_fd leaves the socket open when the SSL object goes.
        if (ssl_ && SSL_set_fd(ssl_, fd_) != 1) {
            SSL_free(ssl_);
            ssl_ = nullptr;
        }
    }
    ~Tls_Link() override { SSL_free(ssl_); }

    bool Open(int timeout_ms) override
    {
        if (!ssl_)
            return false;
        Step step = Drive([this] { return SSL_accept(ssl_); }, timeout_ms);
        opened_ = step.Result > 0;
        return opened_;
    }

    Read_Result Read(std::string& out, int timeout_ms) override
    {
        char buffer[16384];
        Step step = Drive([&] { return SSL_read(ssl_, buffer, sizeof buffer); }, timeout_ms);
        if (step.Result > 0) {
            out.append(buffer, static_cast<std::size_t>(step.Result));
            return Read_Result::Data;
        }
        if (step.Wait == Camsim_Wait::Stopped)
            return Read_Result::Stopped;
        if (step.Wait == Camsim_Wait::Timed_Out)
            return Read_Result::Timed_Out;
        return Read_Result::Closed;
    }

    bool Send(std::string_view data) override
    {
        while (!data.empty()) {
            int size = static_cast<int>(std::min<std::size_t>(data.size(), INT_MAX));
            // With partial writes on (Camsim_Tls_Context), each step is limited like a plain send.
            Step step = Drive([&] { return SSL_write(ssl_, data.data(), size); }, Send_Stall_Ms);
            if (step.Result <= 0) {
                failed_ = true;
                return false;
            }
            data.remove_prefix(static_cast<std::size_t>(step.Result));
        }
        return true;
    }

    void Finish() override
    {
        // One close_notify attempt, without waiting for the client's: the connection closes next.
        if (opened_ && !failed_) {
            ERR_clear_error();
            SSL_shutdown(ssl_);
        }
        shutdown(fd_, SHUT_WR);
    }

private:
    struct Step {
        int Result = 0;                         // what the OpenSSL call returned last
        Camsim_Wait Wait = Camsim_Wait::Ready;  // why the waiting ended early, if it did
    };

    template <typename Call>
    Step Drive(Call call, int timeout_ms)
    {
        auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
        for (;;) {
            ERR_clear_error();
            Step step;
            step.Result = call();
            if (step.Result > 0)
                return step;
            int error = SSL_get_error(ssl_, step.Result);
            short events = error == SSL_ERROR_WANT_READ ? POLLIN : error == SSL_ERROR_WANT_WRITE ? POLLOUT : 0;
            if (events == 0) {
                if (error != SSL_ERROR_ZERO_RETURN)
                    failed_ = true;  // no close_notify of ours after a broken connection
                return step;
            }
            step.Wait = Camsim_Wait_For(fd_, events, stop_fd_, Left(timeout_ms, deadline));
            if (step.Wait != Camsim_Wait::Ready)
                return step;
        }
    }

    std::shared_ptr<SSL_CTX> context_;
    SSL* ssl_ = nullptr;
    bool opened_ = false;
    bool failed_ = false;
};

}  // namespace

Camsim_Wait Camsim_Wait_For(int fd, short events, int stop_fd, int timeout_ms)
{
    auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        pollfd fds[2] = {{stop_fd, POLLIN, 0}, {fd, events, 0}};
        int ready = poll(fds, fd >= 0 ? 2 : 1, Left(timeout_ms, deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || fds[0].revents)
            return Camsim_Wait::Stopped;
        if (ready == 0)
            return Camsim_Wait::Timed_Out;
        return Camsim_Wait::Ready;
    }
}

void Camsim_Link::Reset()
{
    linger hard{1, 0};
    setsockopt(fd_, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
}

std::unique_ptr<Camsim_Link> Camsim_Plain_Link(int fd, int stop_fd)
{
    return std::make_unique<Plain_Link>(fd, stop_fd);
}

std::unique_ptr<Camsim_Link> Camsim_Tls_Link(int fd, int stop_fd, std::shared_ptr<SSL_CTX> context)
{
    return std::make_unique<Tls_Link>(fd, stop_fd, std::move(context));
}
