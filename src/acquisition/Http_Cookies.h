#pragma once
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct Http_Cookie {
    std::string Name;
    std::string Value;
    std::string Domain;      // lower case, no leading dot; the request host when the cookie named none
    bool Host_Only = false;  // named no domain: sent to exactly its host, not to names under it
    std::string Path;        // "/" when the cookie named none
    bool Secure = false;
    std::optional<std::chrono::system_clock::time_point> Expires;  // none: lives with the store
};

// The cookies of one client object; held in memory only, never written to disk.
// Bounded: a cookie whose name and value exceed Max_Cookie_Bytes is ignored, and past
// Max_Cookies the oldest cookie makes room. A cookie holding control characters is ignored:
// its value would be echoed into our own request head.
class Http_Cookies {
public:
    using Time = std::chrono::system_clock::time_point;
    static constexpr std::size_t Max_Cookies = 50;
    static constexpr std::size_t Max_Cookie_Bytes = 4096;

    // Stores the cookie of one Set-cookie or Set-cookie2 header value received for request_host.
    // A cookie of the same name, domain and path is replaced; an expired one removes it. A cookie whose
    // Domain attribute request_host does not domain-match (RFC 6265) is ignored: a camera sets
    // cookies for itself and the names under it, never for another site.
    void Store(std::string_view set_cookie, const std::string& request_host, Time now);
    // Drops every cookie whose expiry time has passed.
    void Drop_Expired(Time now);
    // The Cookie header value for a request ("a=1; b=2"), "" when no cookie matches: the host is the
    // cookie's host (host-only cookies) or domain-matches its domain (any case), the request path
    // path-matches its path (RFC 6265), the cookie is not secure and its value is not empty.
    std::string Header_For(const std::string& host, const std::string& request_path) const;

    const std::vector<Http_Cookie>& Items() const { return cookies_; }

private:
    std::vector<Http_Cookie> cookies_;
};

// RFC 6265 domain-match: host equals domain, or ends with "." + domain and is a name, not an address
// (both lower case).
bool Cookie_Domain_Match(std::string_view host, std::string_view domain);
// RFC 6265 path-match: equal, or cookie_path is a prefix of request_path that ends with "/" or is
// followed by "/" in it.
bool Cookie_Path_Match(std::string_view request_path, std::string_view cookie_path);

// The time of a cookie's Expires attribute ("Wed, 09 Jun 2021 10:18:14 GMT", the "09-Jun-21"
// form and the asctime form), nullopt when it cannot be read.
std::optional<std::chrono::system_clock::time_point> Parse_Cookie_Date(std::string_view text);
