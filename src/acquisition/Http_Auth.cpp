#include "acquisition/Http_Auth.h"

#include <optional>

#include "acquisition/Base64.h"
#include "acquisition/Http_Challenge.h"
#include "acquisition/Http_Text.h"

namespace {

// True when a comma-separated qop list offers "auth".
bool Offers_Qop_Auth(const std::string& list)
{
    std::string_view rest(list);
    while (!rest.empty()) {
        std::size_t comma = rest.find(',');
        if (Http_Same_Text(Trim_View(rest.substr(0, comma)), "auth"))
            return true;
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    return false;
}

// Why a Digest challenge cannot be answered, or "" when it can.
std::string Digest_Problem(const Http_Challenge& challenge)
{
    const std::string* algorithm = challenge.Param("algorithm");
    if (!Digest_Algorithm_From_Name(algorithm))
        return "Digest with the algorithm " + *algorithm + " is not supported";
    const std::string* userhash = challenge.Param("userhash");
    if (userhash && Http_Same_Text(*userhash, "true"))
        return "Digest with a hashed user name is not supported";
    const std::string* qop = challenge.Param("qop");
    if (qop && !Offers_Qop_Auth(*qop))
        return "Digest with qop=" + *qop + " is not supported";
    if (!challenge.Param("nonce") || !challenge.Param("realm"))
        return "a Digest challenge without realm or nonce cannot be answered";
    return {};
}

}  // namespace

bool Http_Authenticator::Same_Server(const Http_Url& url) const
{
    return Http_Same_Text(scheme_, url.Scheme) && Http_Same_Text(host_, url.Host) && port_ == url.Port;
}

void Http_Authenticator::Forget()
{
    kind_ = Kind::None;
    nc_ = 0;
}

std::string Http_Authenticator::Authorization(const Http_Url& url, const Http_Login& login)
{
    if (kind_ == Kind::None || login.Empty() || !Same_Server(url))
        return {};
    if (kind_ == Kind::Basic)
        return "Basic " + Base64_Encode(login.User + ":" + login.Password);

    Digest_Input input;
    input.Algorithm = algorithm_;
    input.User = login.User;
    input.Password = login.Password;
    input.Realm = realm_;
    input.Nonce = nonce_;
    input.Cnonce = cnonce_;
    input.Nc = ++nc_;
    input.Qop = qop_auth_ ? "auth" : "";
    input.Uri = url.Target();

    std::string value = "Digest username=" + Http_Quoted(login.User) + ", realm=" + Http_Quoted(realm_) +
                        ", nonce=" + Http_Quoted(nonce_) + ", uri=" + Http_Quoted(input.Uri);
    if (send_algorithm_)
        value += std::string(", algorithm=") + Digest_Algorithm_Name(algorithm_);
    value += ", response=\"" + Digest_Response(input) + "\"";
    if (has_opaque_)
        value += ", opaque=" + Http_Quoted(opaque_);
    if (qop_auth_)
        value += ", qop=auth, nc=" + Digest_Nc_Text(input.Nc) + ", cnonce=\"" + cnonce_ + "\"";
    return value;
}

Http_Authenticator::Verdict Http_Authenticator::Unauthorized(const Http_Url& url, const Http_Reply_Head& head,
                                                             const Http_Login& login, const std::string& sent)
{
    std::optional<Http_Challenge> best_digest;
    std::optional<Digest_Algorithm> best_algorithm;
    std::string digest_problem;
    bool digest_offered = false;
    bool basic_offered = false;
    for (const auto& header : head.Headers.All("WWW-Authenticate")) {
        for (auto& challenge : Parse_Challenges(header)) {
            if (challenge.Is("Basic")) {
                basic_offered = true;
            } else if (challenge.Is("Digest")) {
                digest_offered = true;
                std::string problem = Digest_Problem(challenge);
                if (!problem.empty()) {
                    digest_problem = problem;
                    continue;
                }
                auto algorithm = Digest_Algorithm_From_Name(challenge.Param("algorithm"));
                if (!best_algorithm || Digest_Strength(*algorithm) > Digest_Strength(*best_algorithm)) {
                    best_algorithm = algorithm;
                    best_digest = std::move(challenge);
                }
            }
        }
    }

    Verdict verdict;
    if (digest_offered && !best_digest) {
        verdict.Refusal = digest_problem;
        return verdict;
    }
    if (!best_digest && !basic_offered)
        return verdict;  // nothing this client can answer
    if (login.Empty())
        return verdict;

    const bool answered = !sent.empty();
    scheme_ = url.Scheme;
    host_ = url.Host;
    port_ = url.Port;
    if (!best_digest) {
        // Basic is answered once: a second 401 means the password is wrong.
        verdict.Resend = !answered;
        kind_ = Kind::Basic;
        return verdict;
    }

    const Http_Challenge& digest = *best_digest;
    const std::string& nonce = *digest.Param("nonce");
    const std::string* stale = digest.Param("stale");
    const bool was_stale = stale && Http_Same_Text(*stale, "true");
    const bool new_nonce = kind_ != Kind::Digest || nonce != nonce_;
    // An answer to this very nonce that came back without "stale" was refused: the password is wrong.
    verdict.Resend = !answered || was_stale || new_nonce;

    kind_ = Kind::Digest;
    algorithm_ = *best_algorithm;
    send_algorithm_ = digest.Param("algorithm") != nullptr;
    realm_ = *digest.Param("realm");
    if (new_nonce) {
        nonce_ = nonce;
        nc_ = 0;
        cnonce_ = Digest_New_Cnonce();
    }
    const std::string* opaque = digest.Param("opaque");
    has_opaque_ = opaque != nullptr;
    opaque_ = opaque ? *opaque : std::string();
    const std::string* qop = digest.Param("qop");
    qop_auth_ = qop != nullptr;
    return verdict;
}

void Http_Authenticator::Accepted(const Http_Reply_Head& head)
{
    if (kind_ != Kind::Digest)
        return;
    const std::string* info = head.Headers.Find("Authentication-Info");
    if (!info)
        return;
    // Authentication-Info holds name=value pairs only: read them as the parameters of a challenge.
    auto items = Parse_Challenges("Info " + *info);
    if (items.empty())
        return;
    const std::string* next = items.front().Param("nextnonce");
    if (next && !next->empty() && *next != nonce_) {
        nonce_ = *next;
        nc_ = 0;
        cnonce_ = Digest_New_Cnonce();
    }
}
