#pragma once
#include <cstdint>
#include <string>

#include "acquisition/Http_Digest.h"
#include "acquisition/Http_Reply_Parser.h"
#include "acquisition/Http_Url.h"

// The user name and password a client answers challenges with.
struct Http_Login {
    std::string User;
    std::string Password;
    bool Empty() const { return User.empty(); }
    bool operator==(const Http_Login&) const = default;
};

// How one client object answers a server's authentication challenges (RFC 7616 Digest, RFC 7617
// Basic). It keeps the last challenge it accepted for the server it came from, and answers it up
// front on the next requests (one challenge per nonce, not per picture). No I/O.
class Http_Authenticator {
public:
    // The Authorization value for a GET of url, or "" when there is nothing to answer yet (no
    // challenge kept for url's server, or no user name). Each Digest answer counts one use of
    // the nonce (nc).
    std::string Authorization(const Http_Url& url, const Http_Login& login);

    struct Verdict {
        bool Resend = false;  // answer the new challenge with one more request
        std::string Refusal;  // why not, when the reason is more than the 401 itself ("" otherwise)
    };
    // A 401 reply (head) came back for a request to url that carried `sent` as its Authorization
    // ("" for none). Takes the strongest challenge offered (Digest SHA-256 over MD5 over Basic;
    // Basic never when Digest was offered) and decides whether a new request can succeed:
    // yes when the request carried no answer, or when a Digest nonce went stale or was replaced;
    // no for a rejected answer, an empty user name, or only challenges that cannot be answered.
    Verdict Unauthorized(const Http_Url& url, const Http_Reply_Head& head, const Http_Login& login,
                         const std::string& sent);
    // A reply was accepted: takes the next nonce a Digest server may announce (Authentication-Info).
    void Accepted(const Http_Reply_Head& head);
    // Drops the kept challenge.
    void Forget();

    // What is kept (tests and statistics).
    bool Has_Digest() const { return kind_ == Kind::Digest; }
    bool Has_Basic() const { return kind_ == Kind::Basic; }
    std::uint32_t Nonce_Count() const { return nc_; }

private:
    enum class Kind { None, Basic, Digest };
    bool Same_Server(const Http_Url& url) const;

    Kind kind_ = Kind::None;
    std::string scheme_;  // server the challenge came from
    std::string host_;
    int port_ = 0;
    Digest_Algorithm algorithm_ = Digest_Algorithm::MD5;
    bool send_algorithm_ = false;  // the challenge named its algorithm
    std::string realm_;
    std::string nonce_;
    std::string opaque_;
    bool has_opaque_ = false;
    bool qop_auth_ = false;  // answer with qop=auth; false: the RFC 2069 form
    std::string cnonce_;
    std::uint32_t nc_ = 0;  // answers sent with nonce_
};
