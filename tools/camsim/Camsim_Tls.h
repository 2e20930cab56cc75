#pragma once
#include <openssl/types.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A certificate and its private key: what an https camera presents. Copies share the same objects.
struct Camsim_Tls_Identity {
    std::shared_ptr<X509> Certificate;
    std::shared_ptr<EVP_PKEY> Key;

    bool Empty() const { return !Certificate || !Key; }
    std::string Certificate_Pem() const;
    std::string Key_Pem() const;  // unencrypted PKCS#8
    // SHA-256 of the DER certificate: 64 lower-case hex digits.
    std::string Fingerprint() const;
    // Write the PEM text to path (replacing it); throw std::runtime_error when the file cannot be written.
    void Write_Certificate_Pem(const std::string& path) const;
    void Write_Key_Pem(const std::string& path) const;
};

// What a certificate says: its subject, the names it is good for and its validity window.
// The defaults are those of a camera's own certificate: good for localhost and 127.0.0.1, from a
// day ago for a year.
struct Camsim_Certificate_Request {
    std::string Common_Name = "tambrel-camsim";
    std::vector<std::string> Dns_Names{"localhost"};     // subjectAltName DNS entries
    std::vector<std::string> Ip_Addresses{"127.0.0.1"};  // subjectAltName IP entries
    std::chrono::system_clock::time_point Not_Before = std::chrono::system_clock::now() - std::chrono::hours(24);
    std::chrono::system_clock::time_point Not_After = Not_Before + std::chrono::hours(24 * 365);
};

// A fresh P-256 key and a certificate for it signed by itself. Throws std::runtime_error when
// OpenSSL fails.
Camsim_Tls_Identity Camsim_Self_Signed(const Camsim_Certificate_Request& request = {});
// A fresh certificate authority (CA:TRUE, keyCertSign) named common_name, good from a day ago for ten years.
Camsim_Tls_Identity Camsim_Make_Ca(const std::string& common_name = "tambrel-camsim test CA");
// A fresh key and a server certificate for it signed by ca.
Camsim_Tls_Identity Camsim_Issue(const Camsim_Tls_Identity& ca, const Camsim_Certificate_Request& request = {});

enum class Camsim_Tls_Version { TLS_1_0, TLS_1_1, TLS_1_2, TLS_1_3 };

// "1.0" .. "1.3"; nullopt for other text.
std::optional<Camsim_Tls_Version> Camsim_Tls_Version_From_Name(std::string_view name);
std::string Camsim_Tls_Version_Name(Camsim_Tls_Version version);

// How an https camera speaks TLS.
struct Camsim_Tls {
    // The newest version offered. TLS 1.2 and newer: the camera offers TLS 1.2 up to Max. Older: it
    // offers TLS 1.0 up to Max only, at OpenSSL security level 0 (which these versions' SHA-1
    // signatures need).
    Camsim_Tls_Version Max = Camsim_Tls_Version::TLS_1_3;
    Camsim_Tls_Identity Identity;  // empty: the server makes a self-signed one (Camsim_Self_Signed defaults)
};

// A server context presenting identity with the versions tls allows. Throws std::runtime_error when
// OpenSSL refuses the identity or the versions.
std::shared_ptr<SSL_CTX> Camsim_Tls_Context(const Camsim_Tls_Identity& identity, Camsim_Tls_Version max);
