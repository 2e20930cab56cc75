#include "camsim/Camsim_Auth.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <utility>

#include "acquisition/Base64.h"

namespace {

// The names the --auth syntax uses for the Digest algorithms.
const std::vector<std::pair<Digest_Algorithm, const char*>>& Algorithm_Names()
{
    static const std::vector<std::pair<Digest_Algorithm, const char*>> names = {
        {Digest_Algorithm::MD5, "md5"},
        {Digest_Algorithm::MD5_Sess, "md5-sess"},
        {Digest_Algorithm::SHA_256, "sha256"},
        {Digest_Algorithm::SHA_256_Sess, "sha256-sess"},
    };
    return names;
}

std::optional<Camsim_Auth_Offer> Offer_From_Name(std::string_view name)
{
    if (name == "basic")
        return Camsim_Auth_Offer{true, Digest_Algorithm::MD5};
    for (const auto& [algorithm, n] : Algorithm_Names())
        if (name == n)
            return Camsim_Auth_Offer{false, algorithm};
    return std::nullopt;
}

std::string Offer_Name(const Camsim_Auth_Offer& offer)
{
    if (offer.Basic)
        return "basic";
    for (const auto& [algorithm, n] : Algorithm_Names())
        if (offer.Algorithm == algorithm)
            return n;
    return "md5";
}

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (;;) {
        std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

bool Is_Nc(std::string_view text)
{
    return text.size() == 8 && std::all_of(text.begin(), text.end(),
                                           [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

std::optional<Camsim_Auth> Parse_Camsim_Auth(std::string_view spec)
{
    Camsim_Auth auth;
    if (spec == "none")
        return auth;
    if (spec == "basic") {
        auth.Offers = {Camsim_Auth_Offer{true, Digest_Algorithm::MD5}};
        return auth;
    }
    std::vector<std::string_view> parts = Split(spec, ':');
    if (parts.front() != "digest")
        return std::nullopt;
    std::vector<std::string_view> seen;  // option keys, each allowed once
    bool offers_given = false;
    bool qop_given = false;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        std::string_view option = parts[i];
        std::size_t eq = option.find('=');
        std::string_view key = option.substr(0, eq);
        std::string_view value = eq == std::string_view::npos ? std::string_view() : option.substr(eq + 1);
        bool has_value = eq != std::string_view::npos;
        if (std::find(seen.begin(), seen.end(), key) != seen.end())
            return std::nullopt;
        seen.push_back(key);
        if (auto offer = Offer_From_Name(option); offer && !offer->Basic) {
            if (offers_given)
                return std::nullopt;
            auth.Offers = {*offer};
            offers_given = true;
        } else if (key == "offer" && has_value) {
            if (offers_given)
                return std::nullopt;
            for (std::string_view name : Split(value, '+')) {
                auto named = Offer_From_Name(name);
                if (!named || std::find(auth.Offers.begin(), auth.Offers.end(), *named) != auth.Offers.end())
                    return std::nullopt;
                auth.Offers.push_back(*named);
            }
            offers_given = true;
        } else if (option == "noqop") {
            if (qop_given)
                return std::nullopt;
            auth.Qops.clear();
            qop_given = true;
        } else if (key == "qop" && has_value) {
            if (qop_given)
                return std::nullopt;
            auth.Qops.clear();
            for (std::string_view qop : Split(value, ',')) {
                if ((qop != "auth" && qop != "auth-int") ||
                    std::find(auth.Qops.begin(), auth.Qops.end(), qop) != auth.Qops.end())
                    return std::nullopt;
                auth.Qops.emplace_back(qop);
            }
            qop_given = true;
        } else if (key == "stale" && has_value) {
            int n = 0;
            auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
            if (ec != std::errc() || end != value.data() + value.size() || n < 1 || n > 1000000)
                return std::nullopt;
            auth.Stale_After = n;
        } else if (option == "always") {
            auth.Always = true;
        } else if (option == "oneline") {
            auth.One_Line = true;
        } else {
            return std::nullopt;
        }
    }
    if (!offers_given)
        auth.Offers = {Camsim_Auth_Offer{false, Digest_Algorithm::MD5}};
    return auth;
}

std::string Camsim_Auth_Text(const Camsim_Auth& auth)
{
    if (!auth.Enabled())
        return "none";
    if (auth.Offers.size() == 1 && auth.Offers.front().Basic)
        return "basic";
    std::string text = "digest";
    if (auth.Offers.size() == 1) {
        if (auth.Offers.front().Algorithm != Digest_Algorithm::MD5)
            text += ":" + Offer_Name(auth.Offers.front());
    } else {
        text += ":offer=";
        for (std::size_t i = 0; i < auth.Offers.size(); ++i)
            text += (i ? "+" : "") + Offer_Name(auth.Offers[i]);
    }
    if (auth.Qops.empty()) {
        text += ":noqop";
    } else if (auth.Qops != std::vector<std::string>{"auth"}) {
        text += ":qop=";
        for (std::size_t i = 0; i < auth.Qops.size(); ++i)
            text += (i ? "," : "") + auth.Qops[i];
    }
    if (auth.Stale_After > 0)
        text += ":stale=" + std::to_string(auth.Stale_After);
    if (auth.Always)
        text += ":always";
    if (auth.One_Line)
        text += ":oneline";
    return text;
}

Camsim_Auth_Gate::Camsim_Auth_Gate(Camsim_Auth auth, std::string login, std::string password)
    : auth_(std::move(auth)), login_(std::move(login)), password_(std::move(password))
{}

std::string Camsim_Auth_Gate::Challenges(bool stale)
{
    std::vector<std::string> items;
    for (const Camsim_Auth_Offer& offer : auth_.Offers) {
        if (offer.Basic) {
            items.push_back(std::string("Basic realm=") + Http_Quoted(Realm));
            continue;
        }
        // NOTE: the client nonce maker is the project's one source of random hex text; a server
        // nonce needs nothing more than that.
        Nonce nonce{Digest_New_Cnonce(), Digest_New_Cnonce(), offer.Algorithm};
        std::string item = std::string("Digest realm=") + Http_Quoted(Realm);
        if (!auth_.Qops.empty()) {
            std::string qops;
            for (const std::string& qop : auth_.Qops)
                qops += (qops.empty() ? "" : ",") + qop;
            item += ", qop=" + Http_Quoted(qops);
        }
        // The RFC 2069 form names no algorithm when it is the implied MD5.
        if (!auth_.Qops.empty() || offer.Algorithm != Digest_Algorithm::MD5)
            item += std::string(", algorithm=") + Digest_Algorithm_Name(offer.Algorithm);
        item += ", nonce=" + Http_Quoted(nonce.Value) + ", opaque=" + Http_Quoted(nonce.Opaque);
        if (stale)
            item += ", stale=true";
        items.push_back(std::move(item));
        nonces_.push_back(std::move(nonce));
        if (nonces_.size() > Max_Nonces)
            nonces_.pop_front();
    }
    std::string headers;
    if (auth_.One_Line) {
        headers = "WWW-Authenticate: ";
        for (std::size_t i = 0; i < items.size(); ++i)
            headers += (i ? ", " : "") + items[i];
        headers += "\r\n";
    } else {
        for (const std::string& item : items)
            headers += "WWW-Authenticate: " + item + "\r\n";
    }
    return headers;
}

bool Camsim_Auth_Gate::Check_Basic(const Http_Challenge& answer) const
{
    return answer.Is("Basic") && answer.Token68 == Base64_Encode(login_ + ":" + password_);
}

Camsim_Auth_Gate::Answer Camsim_Auth_Gate::Check_Digest(const Http_Challenge& answer, const Camsim_Request& request,
                                                        Nonce*& nonce)
{
    auto text = [&](std::string_view name) {
        const std::string* value = answer.Param(name);
        return value ? *value : std::string();
    };
    auto known = std::find_if(nonces_.begin(), nonces_.end(), [&](const Nonce& n) { return n.Value == text("nonce"); });
    if (!answer.Is("Digest") || known == nonces_.end())
        return Answer::Bad;
    nonce = &*known;
    auto algorithm = Digest_Algorithm_From_Name(answer.Param("algorithm"));
    if (text("username") != login_ || text("realm") != Realm || !answer.Param("opaque") ||
        text("opaque") != nonce->Opaque || text("uri") != request.Target || algorithm != nonce->Algorithm)
        return Answer::Bad;

    Digest_Input input;
    input.Algorithm = *algorithm;
    input.User = login_;
    input.Password = password_;
    input.Realm = Realm;
    input.Nonce = nonce->Value;
    input.Cnonce = text("cnonce");
    input.Method = request.Method;
    input.Uri = request.Target;
    const std::string* qop = answer.Param("qop");
    std::uint32_t nc = 0;
    if (auth_.Qops.empty()) {
        if (qop)
            return Answer::Bad;  // a qop the challenge never offered
    } else {
        const std::string nc_text = text("nc");
        if (!qop || std::find(auth_.Qops.begin(), auth_.Qops.end(), *qop) == auth_.Qops.end() || !Is_Nc(nc_text) ||
            input.Cnonce.empty())
            return Answer::Bad;
        std::from_chars(nc_text.data(), nc_text.data() + nc_text.size(), nc, 16);
        if (nc <= nonce->Last_Nc)
            return Answer::Bad;  // replayed or out of order
        input.Nc = nc;
        input.Qop = *qop;
        // NOTE: with auth-int, A2 is "method:uri:H(entity-body)"; putting ":H(body)" after the uri gives
        // exactly that A2 to the shared response code. These requests carry no body.
        if (*qop == "auth-int")
            input.Uri += ":" + Digest_Hash(*algorithm, "");
    }
    if (text("response") != Digest_Response(input))
        return Answer::Bad;
    if (auth_.Stale_After > 0 && nonce->Uses >= auth_.Stale_After)
        return Answer::Stale;
    ++nonce->Uses;
    nonce->Last_Nc = nc;
    return Answer::Good;
}

Camsim_Auth_Verdict Camsim_Auth_Gate::Check(const Camsim_Request& request)
{
    Camsim_Auth_Verdict verdict;
    std::optional<std::string> header = request.Header("Authorization");
    std::optional<Http_Challenge> answer;
    if (header)
        answer = Parse_Credentials(*header);
    Answer result = Answer::Bad;
    if (answer) {
        bool basic_offered =
            std::any_of(auth_.Offers.begin(), auth_.Offers.end(), [](const auto& o) { return o.Basic; });
        bool digest_offered =
            std::any_of(auth_.Offers.begin(), auth_.Offers.end(), [](const auto& o) { return !o.Basic; });
        Nonce* nonce = nullptr;
        if (answer->Is("Basic"))
            result = basic_offered && Check_Basic(*answer) ? Answer::Good : Answer::Bad;
        else if (answer->Is("Digest") && digest_offered)
            result = Check_Digest(*answer, request, nonce);
    }
    verdict.Refused = header.has_value() && result == Answer::Bad;
    verdict.Stale = result == Answer::Stale;
    verdict.Pass = result == Answer::Good && !auth_.Always;
    if (!verdict.Pass)
        verdict.Challenge_Headers = Challenges(verdict.Stale);
    return verdict;
}
