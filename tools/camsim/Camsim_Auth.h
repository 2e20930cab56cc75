#pragma once
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "acquisition/Http_Challenge.h"
#include "acquisition/Http_Digest.h"
#include "camsim/Camsim_Request.h"

// One challenge a camera offers: Basic, or Digest with one algorithm.
struct Camsim_Auth_Offer {
    bool Basic = false;
    Digest_Algorithm Algorithm = Digest_Algorithm::MD5;  // used when not Basic

    bool operator==(const Camsim_Auth_Offer&) const = default;
};

// How a camera asks for credentials. Without offers the user= and pwd= query parameters are the
// credentials (the plain CGI cameras); with offers the Authorization header is, and the query's
// user= and pwd= are not looked at.
struct Camsim_Auth {
    std::vector<Camsim_Auth_Offer> Offers;  // the challenges of one 401, in order
    std::vector<std::string> Qops{"auth"};  // qop values a Digest challenge offers; empty: RFC 2069 form
    int Stale_After = 0;                    // > 0: a nonce is good for this many requests, then stale
    bool Always = false;                    // challenges every request, even a correct answer
    bool One_Line = false;                  // all challenges in one WWW-Authenticate line

    bool Enabled() const { return !Offers.empty(); }
    bool operator==(const Camsim_Auth&) const = default;
};

// The --auth syntax: "none", "basic", or "digest" followed by ":"-separated options
// (md5 | md5-sess | sha256 | sha256-sess | offer=A+B+... | noqop | qop=auth,auth-int | stale=N |
// always | oneline), each at most once. nullopt for anything else.
std::optional<Camsim_Auth> Parse_Camsim_Auth(std::string_view spec);
// auth in the --auth syntax; Parse_Camsim_Auth reads it back to the same value.
std::string Camsim_Auth_Text(const Camsim_Auth& auth);

// What the gate decided about one request.
struct Camsim_Auth_Verdict {
    bool Pass = false;
    std::string Challenge_Headers;  // when refused: the WWW-Authenticate lines, each ending in CRLF
    bool Refused = false;           // credentials were sent and were not good
    bool Stale = false;             // a correct Digest answer whose nonce had been used up
};

// One camera's check of the Authorization header against its login and password. Issues the
// challenges (realm "camsim", random nonce and opaque for each Digest offer) and remembers the
// latest nonces it issued with their use count and last nonce count; older ones are forgotten.
// Not thread-safe: the camera calls it under its own lock.
class Camsim_Auth_Gate {
public:
    Camsim_Auth_Gate(Camsim_Auth auth, std::string login, std::string password);

    Camsim_Auth_Verdict Check(const Camsim_Request& request);

    static constexpr const char* Realm = "camsim";
    static constexpr std::size_t Max_Nonces = 64;

private:
    struct Nonce {
        std::string Value;
        std::string Opaque;
        Digest_Algorithm Algorithm = Digest_Algorithm::MD5;
        int Uses = 0;               // requests this nonce authorized
        std::uint32_t Last_Nc = 0;  // highest nonce count accepted (0: none yet)
    };
    enum class Answer { Good, Bad, Stale };

    Answer Check_Digest(const Http_Challenge& answer, const Camsim_Request& request, Nonce*& nonce);
    bool Check_Basic(const Http_Challenge& answer) const;
    std::string Challenges(bool stale);

    const Camsim_Auth auth_;
    const std::string login_;
    const std::string password_;
    std::deque<Nonce> nonces_;  // oldest first
};
