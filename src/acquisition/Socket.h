#pragma once
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "acquisition/Name_Lookup.h"

class Abort_Signal;
class Tls_Context;
class Tls_Session;

// A connected TCP socket, plain or under TLS (non-blocking underneath; every wait is a poll()
// bounded by a time-out and woken by the abort signal). Move-only; closes on destruction.
// Every failure throws E_Http_Error carrying errno (Socket_Error) and its text.
class Socket {
public:
    Socket();
    ~Socket();
    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    // Looks host up (Look_Up_Host: at most lookup_timeout_ms, with name_servers when given) and tries
    // every address in turn until one connects; the connection attempts last at most timeout_ms.
    static Socket Connect(const std::string& host, int port, int timeout_ms, const Abort_Signal& abort,
                          int lookup_timeout_ms = 5000, const std::string& name_servers = {});

    bool Is_Open() const { return fd_ >= 0; }
    bool Is_Tls() const { return tls_ != nullptr; }
    void Close();

    // Turns the connection into a TLS one: the handshake, bounded by timeout_ms in all and by abort.
    // host is sent as SNI (names) and checked against the certificate; a certificate the system
    // does not trust is accepted only when its SHA-256 equals pinned_sha256. Throws E_Tls_Untrusted
    // for a refused certificate (nothing was sent), E_Http_Error for any other failure.
    void Start_Tls(const Tls_Context& context, const std::string& host, const std::string& pinned_sha256,
                   int timeout_ms, const Abort_Signal& abort);

    // Writes all of data; normally one send() call. Waits at most timeout_ms for room each time.
    void Send_All(std::string_view data, int timeout_ms, const Abort_Signal& abort);
    // Reads what is there (at most size bytes), waiting up to timeout_ms for the first byte.
    // Returns 0 when the server closed the connection. With wake given, a Raise of it ends the wait
    // early: the signal is cleared and Woken returned.
    static constexpr std::size_t Woken = static_cast<std::size_t>(-1);
    std::size_t Receive(char* buffer, std::size_t size, int timeout_ms, const Abort_Signal& abort,
                        Abort_Signal* wake = nullptr);

    enum class Probe_Result { Idle, Closed, Unread_Data };
    // Looks at the connection without waiting: still idle, closed (or reset) by the server, or
    // holding bytes nobody asked for.
    Probe_Result Probe();

private:
    explicit Socket(int fd);
    // Waits for events on the socket; throws on time-out or abort. False when wake was raised (and
    // cleared) instead.
    bool Wait(short events, int timeout_ms, const Abort_Signal& abort, const char* timeout_text,
              Abort_Signal* wake = nullptr) const;

    int fd_ = -1;
    std::unique_ptr<Tls_Session> tls_;
};
