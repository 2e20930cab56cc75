#pragma once
#include <string>

// Where the previous request of a client object went: completes a URL that has no "://".
struct Http_Url_Base {
    bool Valid = false;  // false until the object has made a request
    std::string Scheme;
    std::string Host;
    bool Host_Is_Ipv6 = false;
    std::string Port_Text;
    int Port = 0;
    std::string Path;  // directory part, begins and ends with "/"
};

// One URL taken apart the way the client sends it. Nothing that is sent is percent-encoded or decoded.
struct Http_Url {
    std::string Scheme;
    bool Has_User = false;  // the authority carried a non-empty user name
    std::string User;       // percent-decoded ("pa%3Ass" is "pa:ss"); used only to answer challenges
    std::string Password;
    std::string Host;  // without the brackets of an IPv6 literal
    bool Host_Is_Ipv6 = false;
    std::string Port_Text;  // as written in the URL ("80" when defaulted for http, "443" for https)
    int Port = 0;
    std::string Path;      // "/" ... "/"
    std::string Document;  // between Path and Query, "#" and after already dropped
    std::string Query;     // from the query's first character ("?" or "="), "#" cut

    // Request target of the request line: Path + Document + Query.
    std::string Target() const { return Path + Document + Query; }
    // Scheme "https" (any case): the connection speaks TLS.
    bool Is_Tls() const;
    // The port text is the scheme's default ("443" for https, "80" for every other scheme).
    bool Default_Port() const;
    // What a later URL without "://" is completed from.
    Http_Url_Base As_Base() const;
};

// Takes url apart, completing it from previous when it has no "://".
// Throws E_Http_Error: "Unknown Protocol" (no port can be found and no previous request), and for
// a URL that cannot be sent safely: empty,
// holding CR, LF or NUL (they would forge request lines), an empty host, a port that is not
// a number from 1 to 65535.
Http_Url Parse_Http_Url(std::string url, const Http_Url_Base& previous);

// Removes "." and ".." segments from an absolute path ("/a/b/../c" -> "/a/c"); ".." never climbs
// above "/"; a final "." or ".." leaves a trailing "/".
std::string Http_Remove_Dot_Segments(const std::string& path);
