#include "acquisition/Tls_Context.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include "acquisition/Http_Error.h"
#include "acquisition/Tls_Session.h"

namespace {

// The verify step: Tls_Session decides (system trust, else the pinned fingerprint).
int Verify_Certificate(X509_STORE_CTX* store, void*)
{
    SSL* ssl = static_cast<SSL*>(X509_STORE_CTX_get_ex_data(store, SSL_get_ex_data_X509_STORE_CTX_idx()));
    auto* session = ssl ? static_cast<Tls_Session*>(SSL_get_app_data(ssl)) : nullptr;
    return session ? session->Verify(store) : 0;
}

}  // namespace

std::string Tls_Last_Error()
{
    std::string text;
    while (unsigned long code = ERR_get_error()) {
        char buffer[256];
        ERR_error_string_n(code, buffer, sizeof buffer);
        if (text.empty())
            text = buffer;  // the first error is the cause; the others are its consequences
    }
    return text;
}

Tls_Context::Tls_Context(const std::string& ca_file)
{
    ctx_ = SSL_CTX_new(TLS_client_method());
    if (!ctx_)
        throw E_Http_Error("TLS is not available: " + Tls_Last_Error());
    // Older versions and their ciphers are refused: a camera must speak TLS 1.2 or newer.
    SSL_CTX_set_min_proto_version(ctx_, TLS1_2_VERSION);
    SSL_CTX_set_verify(ctx_, SSL_VERIFY_PEER, nullptr);
    SSL_CTX_set_cert_verify_callback(ctx_, Verify_Certificate, nullptr);
    const int loaded = ca_file.empty() ? SSL_CTX_set_default_verify_paths(ctx_)
                                       : SSL_CTX_load_verify_locations(ctx_, ca_file.c_str(), nullptr);
    if (loaded != 1) {
        std::string error = Tls_Last_Error();
        SSL_CTX_free(ctx_);
        throw E_Http_Error("The trusted certificates could not be read: " + error);
    }
}

Tls_Context::~Tls_Context()
{
    SSL_CTX_free(ctx_);
}
