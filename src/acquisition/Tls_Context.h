#pragma once
#include <openssl/types.h>

#include <memory>
#include <string>

// The client's TLS settings, shared by its connections: TLS 1.2 at least, the system's trusted
// certificates (or those of ca_file), the peer's certificate checked in the handshake's verify step
// (Tls_Session). Thread-safe once made.
class Tls_Context {
public:
    // ca_file: PEM file of the certificates to trust instead of the system's store ("" for the system's).
    // Throws E_Http_Error when OpenSSL cannot make the context or read the file.
    explicit Tls_Context(const std::string& ca_file = {});
    ~Tls_Context();
    Tls_Context(const Tls_Context&) = delete;
    Tls_Context& operator=(const Tls_Context&) = delete;

    SSL_CTX* Native() const { return ctx_; }

private:
    SSL_CTX* ctx_ = nullptr;
};

// The text of OpenSSL's most recent error on this thread (and the queue emptied), "" when none.
std::string Tls_Last_Error();
