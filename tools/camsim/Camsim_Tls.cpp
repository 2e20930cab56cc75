#include "camsim/Camsim_Tls.h"

#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <fstream>
#include <stdexcept>

#include "acquisition/Http_Digest.h"

namespace {

[[noreturn]] void Fail(const std::string& what)
{
    char text[256] = "";
    unsigned long code = ERR_get_error();
    if (code != 0)
        ERR_error_string_n(code, text, sizeof text);
    ERR_clear_error();
    throw std::runtime_error(what + (code != 0 ? std::string(": ") + text : std::string()));
}

std::shared_ptr<X509> Own(X509* certificate)
{
    return std::shared_ptr<X509>(certificate, X509_free);
}
std::shared_ptr<EVP_PKEY> Own(EVP_PKEY* key)
{
    return std::shared_ptr<EVP_PKEY>(key, EVP_PKEY_free);
}

std::shared_ptr<EVP_PKEY> New_Key()
{
    EVP_PKEY* key = EVP_EC_gen("P-256");
    if (!key)
        Fail("cannot make a key");
    return Own(key);
}

// The PEM text a writer puts into a memory BIO.
template <typename Write>
std::string Pem_Text(Write write)
{
    std::unique_ptr<BIO, decltype(&BIO_free)> bio(BIO_new(BIO_s_mem()), BIO_free);
    if (!bio || write(bio.get()) != 1)
        Fail("cannot write PEM");
    char* data = nullptr;
    long size = BIO_get_mem_data(bio.get(), &data);
    return std::string(data, static_cast<std::size_t>(size));
}

void Write_File(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    if (!file.flush())
        throw std::runtime_error("cannot write " + path);
}

void Add_Extension(X509* certificate, X509* issuer, int nid, const std::string& value)
{
    X509V3_CTX context;
    X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value.c_str());
    if (!extension)
        Fail("cannot make the certificate extension " + value);
    int added = X509_add_ext(certificate, extension, -1);
    X509_EXTENSION_free(extension);
    if (added != 1)
        Fail("cannot add the certificate extension " + value);
}

// A certificate for key's public half named by request, signed by issuer_key; issuer is nullptr for
// a self-signed one.
std::shared_ptr<X509> Certificate(const Camsim_Certificate_Request& request, EVP_PKEY* key, X509* issuer,
                                  EVP_PKEY* issuer_key, bool authority)
{
    std::shared_ptr<X509> owned = Own(X509_new());
    X509* certificate = owned.get();
    if (!certificate || X509_set_version(certificate, 2) != 1)
        Fail("cannot make a certificate");

    // A random positive 127-bit serial number.
    unsigned char serial_bytes[16];
    if (RAND_bytes(serial_bytes, sizeof serial_bytes) != 1)
        Fail("no random bytes for the serial number");
    serial_bytes[0] &= 0x7F;
    std::unique_ptr<BIGNUM, decltype(&BN_free)> serial(BN_bin2bn(serial_bytes, sizeof serial_bytes, nullptr), BN_free);
    if (!serial || !BN_to_ASN1_INTEGER(serial.get(), X509_get_serialNumber(certificate)))
        Fail("cannot set the serial number");

    auto seconds = [](std::chrono::system_clock::time_point t) { return std::chrono::system_clock::to_time_t(t); };
    if (!ASN1_TIME_set(X509_getm_notBefore(certificate), seconds(request.Not_Before)) ||
        !ASN1_TIME_set(X509_getm_notAfter(certificate), seconds(request.Not_After)))
        Fail("cannot set the validity");

    X509_NAME* name = X509_get_subject_name(certificate);
    if (!X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8,
                                    reinterpret_cast<const unsigned char*>(request.Common_Name.c_str()), -1, -1, 0))
        Fail("cannot set the subject");
    if (X509_set_issuer_name(certificate, issuer ? X509_get_subject_name(issuer) : name) != 1 ||
        X509_set_pubkey(certificate, key) != 1)
        Fail("cannot set the issuer");

    X509* signer = issuer ? issuer : certificate;
    if (authority) {
        Add_Extension(certificate, signer, NID_basic_constraints, "critical,CA:TRUE");
        Add_Extension(certificate, signer, NID_key_usage, "critical,keyCertSign,cRLSign");
    } else {
        Add_Extension(certificate, signer, NID_basic_constraints, "critical,CA:FALSE");
        Add_Extension(certificate, signer, NID_key_usage, "critical,digitalSignature");
        Add_Extension(certificate, signer, NID_ext_key_usage, "serverAuth");
    }
    Add_Extension(certificate, signer, NID_subject_key_identifier, "hash");
    if (issuer)
        Add_Extension(certificate, signer, NID_authority_key_identifier, "keyid:always");
    std::string names;
    for (const std::string& dns : request.Dns_Names)
        names += (names.empty() ? "DNS:" : ",DNS:") + dns;
    for (const std::string& ip : request.Ip_Addresses)
        names += (names.empty() ? "IP:" : ",IP:") + ip;
    if (!names.empty())
        Add_Extension(certificate, signer, NID_subject_alt_name, names);

    if (X509_sign(certificate, issuer_key, EVP_sha256()) == 0)
        Fail("cannot sign the certificate");
    return owned;
}

int Protocol_Version(Camsim_Tls_Version version)
{
    switch (version) {
    case Camsim_Tls_Version::TLS_1_0: return TLS1_VERSION;
    case Camsim_Tls_Version::TLS_1_1: return TLS1_1_VERSION;
    case Camsim_Tls_Version::TLS_1_2: return TLS1_2_VERSION;
    case Camsim_Tls_Version::TLS_1_3: return TLS1_3_VERSION;
    }
    return TLS1_3_VERSION;
}

}  // namespace

std::string Camsim_Tls_Identity::Certificate_Pem() const
{
    return Pem_Text([&](BIO* bio) { return PEM_write_bio_X509(bio, Certificate.get()); });
}

std::string Camsim_Tls_Identity::Key_Pem() const
{
    return Pem_Text(
        [&](BIO* bio) { return PEM_write_bio_PrivateKey(bio, Key.get(), nullptr, nullptr, 0, nullptr, nullptr); });
}

std::string Camsim_Tls_Identity::Fingerprint() const
{
    unsigned char* der = nullptr;
    int size = i2d_X509(Certificate.get(), &der);
    if (size <= 0)
        Fail("cannot encode the certificate");
    std::string bytes(reinterpret_cast<const char*>(der), static_cast<std::size_t>(size));
    OPENSSL_free(der);
    return Digest_Hash(Digest_Algorithm::SHA_256, bytes);
}

void Camsim_Tls_Identity::Write_Certificate_Pem(const std::string& path) const
{
    Write_File(path, Certificate_Pem());
}

void Camsim_Tls_Identity::Write_Key_Pem(const std::string& path) const
{
    Write_File(path, Key_Pem());
}

Camsim_Tls_Identity Camsim_Self_Signed(const Camsim_Certificate_Request& request)
{
    Camsim_Tls_Identity identity;
    identity.Key = New_Key();
    identity.Certificate = Certificate(request, identity.Key.get(), nullptr, identity.Key.get(), false);
    return identity;
}

Camsim_Tls_Identity Camsim_Make_Ca(const std::string& common_name)
{
    Camsim_Certificate_Request request;
    request.Common_Name = common_name;
    request.Dns_Names.clear();
    request.Ip_Addresses.clear();
    request.Not_After = request.Not_Before + std::chrono::hours(24 * 365 * 10);
    Camsim_Tls_Identity identity;
    identity.Key = New_Key();
    identity.Certificate = Certificate(request, identity.Key.get(), nullptr, identity.Key.get(), true);
    return identity;
}

Camsim_Tls_Identity Camsim_Issue(const Camsim_Tls_Identity& ca, const Camsim_Certificate_Request& request)
{
    if (ca.Empty())
        throw std::invalid_argument("no certificate authority to sign with");
    Camsim_Tls_Identity identity;
    identity.Key = New_Key();
    identity.Certificate = Certificate(request, identity.Key.get(), ca.Certificate.get(), ca.Key.get(), false);
    return identity;
}

std::optional<Camsim_Tls_Version> Camsim_Tls_Version_From_Name(std::string_view name)
{
    for (auto version : {Camsim_Tls_Version::TLS_1_0, Camsim_Tls_Version::TLS_1_1, Camsim_Tls_Version::TLS_1_2,
                         Camsim_Tls_Version::TLS_1_3})
        if (name == Camsim_Tls_Version_Name(version))
            return version;
    return std::nullopt;
}

std::string Camsim_Tls_Version_Name(Camsim_Tls_Version version)
{
    switch (version) {
    case Camsim_Tls_Version::TLS_1_0: return "1.0";
    case Camsim_Tls_Version::TLS_1_1: return "1.1";
    case Camsim_Tls_Version::TLS_1_2: return "1.2";
    case Camsim_Tls_Version::TLS_1_3: return "1.3";
    }
    return "1.3";
}

std::shared_ptr<SSL_CTX> Camsim_Tls_Context(const Camsim_Tls_Identity& identity, Camsim_Tls_Version max)
{
    if (identity.Empty())
        throw std::invalid_argument("an https camera needs a certificate and a key");
    std::shared_ptr<SSL_CTX> context(SSL_CTX_new(TLS_server_method()), SSL_CTX_free);
    SSL_CTX* ctx = context.get();
    if (!ctx)
        Fail("cannot make a TLS context");
    bool legacy = max < Camsim_Tls_Version::TLS_1_2;
    if (legacy) {
        // NOTE: from security level 1 on, OpenSSL 3 refuses the SHA-1 and MD5+SHA-1 signatures that
        // TLS 1.0 and 1.1 handshakes are made of; only level 0 lets a server offer them.
        SSL_CTX_set_security_level(ctx, 0);
    }
    if (SSL_CTX_set_min_proto_version(ctx, legacy ? TLS1_VERSION : TLS1_2_VERSION) != 1 ||
        SSL_CTX_set_max_proto_version(ctx, Protocol_Version(max)) != 1)
        Fail("cannot set the TLS versions");
    if (SSL_CTX_use_certificate(ctx, identity.Certificate.get()) != 1 ||
        SSL_CTX_use_PrivateKey(ctx, identity.Key.get()) != 1 || SSL_CTX_check_private_key(ctx) != 1)
        Fail("the certificate and key do not go together");
    // Partial writes: the link's stall limit then counts from the client's last read, as on plain sockets.
    SSL_CTX_set_mode(ctx, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
    return context;
}
