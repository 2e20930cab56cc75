#include "acquisition/Tls_Session.h"

#include <arpa/inet.h>
#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>
#include <sys/socket.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>

#include "acquisition/Http_Digest.h"
#include "acquisition/Http_Text.h"
#include "acquisition/Tls_Context.h"
#include "util/Fingerprint_Text.h"

namespace {

bool Is_Ip_Literal(const std::string& host)
{
    unsigned char address[16];
    return inet_pton(AF_INET, host.c_str(), address) == 1 || inet_pton(AF_INET6, host.c_str(), address) == 1;
}

std::string Der_Sha256(X509* certificate)
{
    unsigned char* der = nullptr;
    const int size = i2d_X509(certificate, &der);
    if (size <= 0)
        return {};
    std::string fingerprint =
        Digest_Hash(Digest_Algorithm::SHA_256,
                    std::string_view(reinterpret_cast<const char*>(der), static_cast<std::size_t>(size)));
    OPENSSL_free(der);
    return fingerprint;
}

// The socket under a session: send() with MSG_NOSIGNAL (OpenSSL's own socket BIO writes with write(),
// which raises SIGPIPE when the camera has gone), recv(), and "try again" when the socket would block.
int Bio_Write(BIO* bio, const char* data, int size)
{
    const int fd = static_cast<int>(reinterpret_cast<std::intptr_t>(BIO_get_data(bio)));
    BIO_clear_retry_flags(bio);
    const ssize_t sent = ::send(fd, data, static_cast<std::size_t>(size), MSG_NOSIGNAL);
    if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
        BIO_set_retry_write(bio);
    return static_cast<int>(sent);
}

int Bio_Read(BIO* bio, char* data, int size)
{
    const int fd = static_cast<int>(reinterpret_cast<std::intptr_t>(BIO_get_data(bio)));
    BIO_clear_retry_flags(bio);
    const ssize_t got = ::recv(fd, data, static_cast<std::size_t>(size), 0);
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
        BIO_set_retry_read(bio);
    return static_cast<int>(got);
}

long Bio_Control(BIO*, int command, long, void*)
{
    return command == BIO_CTRL_FLUSH ? 1 : 0;
}

const BIO_METHOD* Socket_Bio_Method()
{
    static BIO_METHOD* method = [] {
        BIO_METHOD* m = BIO_meth_new(BIO_get_new_index() | BIO_TYPE_SOURCE_SINK, "tambrel socket");
        BIO_meth_set_write(m, Bio_Write);
        BIO_meth_set_read(m, Bio_Read);
        BIO_meth_set_ctrl(m, Bio_Control);
        return m;
    }();
    return method;
}

// A clear text for a handshake that failed for another reason than the certificate.
std::string Handshake_Failure_Text(const std::string& library_text)
{
    auto has = [&](const char* part) { return library_text.find(part) != std::string::npos; };
    if (has("unsupported protocol") || has("protocol version") || has("no protocols available"))
        return "TLS handshake failed: the camera offers only TLS versions older than 1.2, which are refused";
    if (has("wrong version number") || has("packet length too long") || has("record layer failure"))
        return "TLS handshake failed: the camera does not speak TLS on this port";
    if (has("sslv3 alert handshake failure") || has("no shared cipher") || has("no suitable signature"))
        return "TLS handshake failed: the camera offers no cipher that is safe to use";
    if (has("excessive message size"))
        return "TLS handshake failed: the camera's certificates are too large";
    if (library_text.empty())
        return "TLS handshake failed";
    return "TLS handshake failed: " + library_text;
}

}  // namespace

Tls_Session::Tls_Session(const Tls_Context& context, int fd, const std::string& host, const std::string& pinned_sha256)
    : host_(host), pinned_(Normalized_Sha256(pinned_sha256))
{
    ssl_ = SSL_new(context.Native());
    BIO* bio = ssl_ ? BIO_new(Socket_Bio_Method()) : nullptr;
    if (!bio) {
        SSL_free(ssl_);
        throw E_Http_Error("TLS connection could not be set up: " + Tls_Last_Error());
    }
    BIO_set_data(bio, reinterpret_cast<void*>(static_cast<std::intptr_t>(fd)));
    BIO_set_init(bio, 1);
    SSL_set_bio(ssl_, bio, bio);
    SSL_set_app_data(ssl_, this);
    SSL_set_connect_state(ssl_);
    if (Is_Ip_Literal(host)) {
        X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(ssl_), host.c_str());
    } else {
        // SNI, for names only (SSL_set_tlsext_host_name, without its macro's cast).
        SSL_ctrl(ssl_, SSL_CTRL_SET_TLSEXT_HOSTNAME, TLSEXT_NAMETYPE_host_name, const_cast<char*>(host.c_str()));
        SSL_set1_host(ssl_, host.c_str());
    }
}

Tls_Session::~Tls_Session()
{
    SSL_free(ssl_);
}

int Tls_Session::Verify(X509_STORE_CTX* store)
{
    X509* leaf = X509_STORE_CTX_get0_cert(store);
    peer_sha256_ = leaf ? Der_Sha256(leaf) : std::string();
    // The system's trust first (chain, dates, host name or address), as a browser decides.
    if (X509_verify_cert(store) == 1)
        return 1;
    // A certificate the user pinned is trusted as it stands, whatever signed it.
    if (!pinned_.empty() && !peer_sha256_.empty() && peer_sha256_ == pinned_) {
        X509_STORE_CTX_set_error(store, X509_V_OK);
        return 1;
    }
    refusal_ = "certificate not trusted: SHA-256 " + peer_sha256_;
    if (!pinned_.empty())
        refusal_ += " (it changed: the pinned certificate is SHA-256 " + pinned_ + ")";
    return 0;
}

void Tls_Session::Fail(const char* what, int ssl_result)
{
    const int error = SSL_get_error(ssl_, ssl_result);
    const int saved_errno = errno;
    std::string library = Tls_Last_Error();
    if (!refusal_.empty())
        throw E_Tls_Untrusted(refusal_, peer_sha256_);
    const bool handshake = std::strcmp(what, "handshake") == 0;
    // A connection reset or cut under a reply: whatever came before is not trusted as a short body.
    if (!handshake && error == SSL_ERROR_SYSCALL)
        throw E_Http_Error(Http_Error_Text::Tls_Cut, saved_errno != 0 ? saved_errno : ECONNRESET);
    if (error == SSL_ERROR_SYSCALL && saved_errno != 0)
        throw E_Http_Error(std::string("TLS ") + what + " failed: " + std::strerror(saved_errno), saved_errno);
    if (handshake)
        throw E_Http_Error(Handshake_Failure_Text(library));
    if (library.find("unexpected eof") != std::string::npos)
        throw E_Http_Error(Http_Error_Text::Tls_Cut, ECONNRESET);
    throw E_Http_Error(std::string("TLS ") + what + " failed" + (library.empty() ? "" : ": " + library));
}

void Tls_Session::Handshake(const Tls_Wait& wait)
{
    ERR_clear_error();
    for (;;) {
        errno = 0;
        const int result = SSL_connect(ssl_);
        if (result == 1)
            return;
        const int error = SSL_get_error(ssl_, result);
        if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) {
            wait(error == SSL_ERROR_WANT_WRITE);
            continue;
        }
        Fail("handshake", result);
    }
}

void Tls_Session::Write(std::string_view data, const Tls_Wait& wait)
{
    ERR_clear_error();
    while (!data.empty()) {
        std::size_t written = 0;
        errno = 0;
        const int result = SSL_write_ex(ssl_, data.data(), data.size(), &written);
        if (result == 1) {
            data.remove_prefix(written);
            continue;
        }
        const int error = SSL_get_error(ssl_, result);
        if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) {
            wait(error == SSL_ERROR_WANT_WRITE);
            continue;
        }
        Fail("write", result);
    }
}

std::size_t Tls_Session::Read(char* buffer, std::size_t size, const Tls_Wait& wait)
{
    ERR_clear_error();
    for (;;) {
        std::size_t got = 0;
        errno = 0;
        const int result = SSL_read_ex(ssl_, buffer, size, &got);
        if (result == 1)
            return got;
        const int error = SSL_get_error(ssl_, result);
        if (error == SSL_ERROR_ZERO_RETURN)
            return 0;  // close_notify: a proper end
        if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) {
            if (!wait(error == SSL_ERROR_WANT_WRITE))
                return Interrupted;
            continue;
        }
        Fail("read", result);
    }
}

Tls_Session::Peek_Result Tls_Session::Peek()
{
    ERR_clear_error();
    char byte;
    std::size_t got = 0;
    const int result = SSL_peek_ex(ssl_, &byte, 1, &got);
    if (result == 1)
        return Peek_Result::Unread_Data;
    const int error = SSL_get_error(ssl_, result);
    ERR_clear_error();
    if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE)
        return Peek_Result::Idle;
    return Peek_Result::Closed;
}
