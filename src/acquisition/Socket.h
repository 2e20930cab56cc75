#pragma once
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

class Abort_Signal;

// A connected TCP socket (non-blocking underneath; every wait is a poll() bounded by a time-out
// and woken by the abort signal). Move-only; closes on destruction.
// Every failure throws E_Http_Error carrying errno (Socket_Error) and its text.
class Socket {
public:
    Socket() = default;
    ~Socket() { Close(); }
    Socket(Socket&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    // Resolves host (getaddrinfo, IPv4 and IPv6) and tries every address in turn until one
    // connects; the whole attempt lasts at most timeout_ms.
    static Socket Connect(const std::string& host, int port, int timeout_ms, const Abort_Signal& abort);

    bool Is_Open() const { return fd_ >= 0; }
    void Close();

    // Writes all of data; normally one send() call. Waits at most timeout_ms for room each time.
    void Send_All(std::string_view data, int timeout_ms, const Abort_Signal& abort);
    // Reads what is there (at most size bytes), waiting up to timeout_ms for the first byte.
    // Returns 0 when the server closed the connection.
    std::size_t Receive(char* buffer, std::size_t size, int timeout_ms, const Abort_Signal& abort);

    enum class Probe_Result { Idle, Closed, Unread_Data };
    // Looks at the connection without waiting: still idle, closed (or reset) by the server, or
    // holding bytes nobody asked for.
    Probe_Result Probe() const;

private:
    explicit Socket(int fd) : fd_(fd) {}
    // Waits for events on the socket; throws on time-out or abort.
    void Wait(short events, int timeout_ms, const Abort_Signal& abort, const char* timeout_text) const;

    int fd_ = -1;
};

// True for names under the reserved top-level domain "invalid" ("tambrel.invalid", "x.invalid."),
// which by definition never resolve.
bool Is_Reserved_Invalid_Name(const std::string& host);
