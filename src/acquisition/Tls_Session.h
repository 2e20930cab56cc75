#pragma once
#include <openssl/types.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "acquisition/Http_Error.h"

class Tls_Context;

// A certificate the handshake refused: neither trusted by the system (chain and host name) nor
// the one pinned for the camera. Nothing was sent on the connection.
struct E_Tls_Untrusted : E_Http_Error {
    E_Tls_Untrusted(const std::string& message, std::string sha256)
        : E_Http_Error(message), Certificate_Sha256(std::move(sha256))
    {}
    std::string Certificate_Sha256;  // of the refused certificate (DER), 64 lower-case hex digits
};

// What a TLS step needs from the socket under it: wait until the descriptor is readable (or
// writable), or throw (time-out, abort); false when the wait was interrupted on purpose.
using Tls_Wait = std::function<bool(bool want_write)>;

// One TLS connection over a connected, non-blocking descriptor the caller owns. Every step waits
// through Tls_Wait, so the caller's time-outs and abort hold during the handshake and the reads.
class Tls_Session {
public:
    // host: sent as SNI when it is a name, and checked against the certificate (name or IP).
    // pinned_sha256: the fingerprint a certificate the system does not trust must have ("" for none).
    Tls_Session(const Tls_Context& context, int fd, const std::string& host, const std::string& pinned_sha256);
    ~Tls_Session();
    Tls_Session(const Tls_Session&) = delete;
    Tls_Session& operator=(const Tls_Session&) = delete;

    // The handshake. Throws E_Tls_Untrusted for a refused certificate, E_Http_Error for any other
    // failure (an old protocol version, garbage, a cut). No application byte is written before it
    // returns.
    void Handshake(const Tls_Wait& wait);
    // Writes all of data.
    void Write(std::string_view data, const Tls_Wait& wait);
    // Reads what is there (at most size bytes), waiting for the first byte. 0: the server closed
    // the TLS connection properly (close_notify). A close without close_notify throws. Interrupted
    // when the wait was.
    static constexpr std::size_t Interrupted = static_cast<std::size_t>(-1);
    std::size_t Read(char* buffer, std::size_t size, const Tls_Wait& wait);
    enum class Peek_Result { Idle, Closed, Unread_Data };
    // Looks without waiting: records that only carry TLS housekeeping count as idle.
    Peek_Result Peek();

    // SHA-256 of the peer's certificate, once the handshake reached the verify step.
    const std::string& Peer_Sha256() const { return peer_sha256_; }

    // Called by the verify step (from OpenSSL, on the handshaking thread).
    int Verify(X509_STORE_CTX* store);

private:
    [[noreturn]] void Fail(const char* what, int ssl_result);

    SSL* ssl_ = nullptr;
    std::string host_;
    std::string pinned_;
    std::string peer_sha256_;
    std::string refusal_;  // why the verify step refused, "" when it did not
};
