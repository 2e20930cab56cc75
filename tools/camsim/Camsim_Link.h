#pragma once
#include <openssl/types.h>

#include <memory>
#include <string>
#include <string_view>

enum class Camsim_Wait { Ready, Stopped, Timed_Out };

// Waits for events on fd (no descriptor when fd < 0), or for stop_fd to become readable, at most
// timeout_ms (-1: no limit but stop).
Camsim_Wait Camsim_Wait_For(int fd, short events, int stop_fd, int timeout_ms);

// The byte transport of one accepted connection: plain TCP or TLS over it. Every wait is a poll()
// that stop_fd also ends, so Stop wakes a link whatever it waits for. The link neither owns nor
// closes the socket; it must be destroyed before the socket is closed.
class Camsim_Link {
public:
    enum class Read_Result { Data, Closed, Stopped, Timed_Out };

    virtual ~Camsim_Link() = default;
    Camsim_Link(const Camsim_Link&) = delete;
    Camsim_Link& operator=(const Camsim_Link&) = delete;

    // Does what must happen before the first request (the TLS handshake) within timeout_ms; false when
    // the client failed, went away or took too long, or Stop came: the connection is then dropped.
    virtual bool Open(int timeout_ms) = 0;
    // Appends what arrives within timeout_ms (-1: no limit but Stop) to out; Data once some bytes came.
    virtual Read_Result Read(std::string& out, int timeout_ms) = 0;
    // Sends all of data; false when the client went away or stopped reading for Send_Stall_Ms, or Stop came.
    virtual bool Send(std::string_view data) = 0;
    // Ends the sending direction gracefully: the client reads the end of the stream.
    virtual void Finish() = 0;
    // Makes the socket's close a reset (RST) instead of a graceful end.
    void Reset();

    static constexpr int Send_Stall_Ms = 10000;

protected:
    Camsim_Link(int fd, int stop_fd) : fd_(fd), stop_fd_(stop_fd) {}
    const int fd_;
    const int stop_fd_;
};

// fd: a connected non-blocking socket; stop_fd: readable once the server stops.
std::unique_ptr<Camsim_Link> Camsim_Plain_Link(int fd, int stop_fd);
// The server side of TLS with context's identity and versions.
std::unique_ptr<Camsim_Link> Camsim_Tls_Link(int fd, int stop_fd, std::shared_ptr<SSL_CTX> context);
