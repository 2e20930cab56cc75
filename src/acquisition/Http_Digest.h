#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// HTTP Digest access authentication (RFC 7616, with the RFC 2617 and RFC 2069 forms): the hashes
// and the response value. Hashes come from OpenSSL's EVP interface.

enum class Digest_Algorithm { MD5, MD5_Sess, SHA_256, SHA_256_Sess };

// The algorithm named by a challenge's "algorithm" parameter (any case); no parameter means MD5.
// nullopt for algorithms this client does not answer (SHA-512-256, unknown names).
std::optional<Digest_Algorithm> Digest_Algorithm_From_Name(const std::string* name);
// "MD5", "MD5-sess", "SHA-256", "SHA-256-sess".
const char* Digest_Algorithm_Name(Digest_Algorithm algorithm);
// Strength order for choosing among several challenges: SHA-256 kinds above MD5 kinds.
int Digest_Strength(Digest_Algorithm algorithm);

// H(data): the lower-case hex digest of data with the algorithm's hash (MD5 or SHA-256).
std::string Digest_Hash(Digest_Algorithm algorithm, std::string_view data);

// Everything the response value depends on.
struct Digest_Input {
    Digest_Algorithm Algorithm = Digest_Algorithm::MD5;
    std::string User;
    std::string Password;
    std::string Realm;
    std::string Nonce;
    std::string Cnonce;    // used with a qop and by the -sess algorithms
    std::uint32_t Nc = 1;  // nonce count, written as 8 hex digits
    std::string Qop;       // "auth", or "" for the RFC 2069 form
    std::string Method = "GET";
    std::string Uri;  // exactly the request target of the request line
};

// The nonce count as sent: 8 lower-case hex digits ("00000001").
std::string Digest_Nc_Text(std::uint32_t nc);

// The "response" value: H(A1) from user, realm and password (for -sess further hashed with nonce
// and cnonce), H(A2) from method and uri, combined with nonce, nc, cnonce and qop when a qop is
// given, else with the nonce alone.
std::string Digest_Response(const Digest_Input& input);

// A fresh client nonce: 16 bytes from the system's random source, as 32 hex digits.
std::string Digest_New_Cnonce();
