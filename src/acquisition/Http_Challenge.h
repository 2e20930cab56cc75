#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One authentication challenge (a WWW-Authenticate item) or one set of credentials (an
// Authorization value): a scheme and its parameters. Names compare without regard to case;
// values are kept exactly as received, quoted strings unescaped.
struct Http_Challenge {
    std::string Scheme;                                       // as received ("Digest", "basic", ...)
    std::vector<std::pair<std::string, std::string>> Params;  // name, value; in order
    std::string Token68;                                      // the token68 form ("Basic dXNlcg=="), else ""

    // Value of the first parameter named name (any case), or nullptr.
    const std::string* Param(std::string_view name) const;
    bool Is(std::string_view scheme) const;
};

// Bounds on one header value's challenges: past them the rest of the value is ignored.
inline constexpr std::size_t Max_Challenges = 16;
inline constexpr std::size_t Max_Challenge_Params = 32;

// Every challenge of one WWW-Authenticate value (RFC 7235: challenges separated by commas, each a
// scheme followed by a token68 or by comma-separated name=value pairs whose value is a token or a
// quoted string with backslash escapes; commas inside quotes belong to the value). Works on the
// value in place; a malformed stretch ends the parse and keeps what was read before it.
std::vector<Http_Challenge> Parse_Challenges(std::string_view value);

// The credentials of one Authorization value: its first (and only) challenge-shaped item.
std::optional<Http_Challenge> Parse_Credentials(std::string_view value);

// value as an HTTP quoted string: surrounded by double quotes, with '"' and '\' escaped.
std::string Http_Quoted(std::string_view value);
