#include "acquisition/Http_Challenge.h"

#include "acquisition/Http_Text.h"

namespace {

bool Is_Token_Char(char c)
{
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
        return true;
    switch (c) {
    case '!':
    case '#':
    case '$':
    case '%':
    case '&':
    case '\'':
    case '*':
    case '+':
    case '-':
    case '.':
    case '^':
    case '_':
    case '`':
    case '|':
    case '~': return true;
    default: return false;
    }
}

bool Is_Token68_Char(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '.' ||
           c == '_' || c == '~' || c == '+' || c == '/';
}

// A cursor over one header value.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    bool At_End() const { return pos_ >= text_.size(); }
    char Peek() const { return At_End() ? '\0' : text_[pos_]; }
    std::size_t Pos() const { return pos_; }
    void Seek(std::size_t pos) { pos_ = pos; }
    void Skip_Blanks()
    {
        while (!At_End() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
            ++pos_;
    }
    // Skips blanks and empty list items (",  ,").
    void Skip_Separators()
    {
        while (!At_End() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == ','))
            ++pos_;
    }
    bool Take(char c)
    {
        if (Peek() != c || At_End())
            return false;
        ++pos_;
        return true;
    }
    std::string_view Token()
    {
        std::size_t start = pos_;
        while (!At_End() && Is_Token_Char(text_[pos_]))
            ++pos_;
        return text_.substr(start, pos_ - start);
    }
    // token68: its characters, then any number of '='.
    std::string_view Token68()
    {
        std::size_t start = pos_;
        while (!At_End() && Is_Token68_Char(text_[pos_]))
            ++pos_;
        while (!At_End() && text_[pos_] == '=')
            ++pos_;
        return text_.substr(start, pos_ - start);
    }
    // A quoted string after its opening quote; false when the closing quote is missing.
    bool Quoted_Rest(std::string& out)
    {
        while (!At_End()) {
            char c = text_[pos_++];
            if (c == '"')
                return true;
            if (c == '\\' && !At_End())
                c = text_[pos_++];
            out.push_back(c);
        }
        return false;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Reads "name = value" at the cursor into challenge; false (cursor unchanged) when the text there is
// not a parameter, which then starts the next challenge.
bool Take_Param(Scanner& scan, Http_Challenge& challenge, bool& malformed)
{
    std::size_t start = scan.Pos();
    std::string_view name = scan.Token();
    scan.Skip_Blanks();
    if (name.empty() || !scan.Take('=')) {
        scan.Seek(start);
        return false;
    }
    scan.Skip_Blanks();
    std::string value;
    if (scan.Take('"')) {
        if (!scan.Quoted_Rest(value)) {
            malformed = true;
            return false;
        }
    } else {
        value = std::string(scan.Token());
    }
    if (challenge.Params.size() < Max_Challenge_Params)
        challenge.Params.emplace_back(std::string(name), std::move(value));
    scan.Skip_Blanks();
    if (!scan.At_End() && scan.Peek() != ',')
        malformed = true;
    return true;
}

// Reads what follows a scheme: a token68, or parameters up to the next scheme.
void Take_Challenge_Body(Scanner& scan, Http_Challenge& challenge, bool& malformed)
{
    scan.Skip_Blanks();
    // token68 ("Basic abc==", "Negotiate xyz"): a run followed by the end or a comma, and not a parameter.
    std::size_t start = scan.Pos();
    std::string_view run = scan.Token68();
    std::size_t after_run = scan.Pos();
    scan.Skip_Blanks();
    bool is_token68 = !run.empty() && (scan.At_End() || scan.Peek() == ',') &&
                      (run.back() == '=' || run.find('=') == std::string_view::npos);
    if (is_token68) {
        // "realm=" with an empty token value would look the same; a trailing '=' run after a token
        // character run is how token68 pads, so keep that reading.
        challenge.Token68 = std::string(run);
        return;
    }
    scan.Seek(start);
    (void)after_run;
    while (!malformed) {
        scan.Skip_Separators();
        if (scan.At_End())
            return;
        if (!Take_Param(scan, challenge, malformed))
            return;
    }
}

}  // namespace

const std::string* Http_Challenge::Param(std::string_view name) const
{
    for (const auto& [key, value] : Params)
        if (Http_Same_Text(key, name))
            return &value;
    return nullptr;
}

bool Http_Challenge::Is(std::string_view scheme) const
{
    return Http_Same_Text(Scheme, scheme);
}

std::vector<Http_Challenge> Parse_Challenges(std::string_view value)
{
    std::vector<Http_Challenge> challenges;
    Scanner scan(value);
    bool malformed = false;
    while (!malformed && challenges.size() < Max_Challenges) {
        scan.Skip_Separators();
        if (scan.At_End())
            break;
        std::string_view scheme = scan.Token();
        if (scheme.empty())
            break;  // not a token where a scheme must start
        Http_Challenge challenge;
        challenge.Scheme = std::string(scheme);
        if (!scan.At_End() && scan.Peek() != ' ' && scan.Peek() != '\t' && scan.Peek() != ',')
            break;  // "Digest=..." or similar: nothing usable from here on
        Take_Challenge_Body(scan, challenge, malformed);
        if (!malformed)
            challenges.push_back(std::move(challenge));
    }
    return challenges;
}

std::optional<Http_Challenge> Parse_Credentials(std::string_view value)
{
    auto items = Parse_Challenges(value);
    if (items.empty())
        return std::nullopt;
    return std::move(items.front());
}

std::string Http_Quoted(std::string_view value)
{
    std::string out;
    out.reserve(value.size() + 2);
    out.push_back('"');
    for (char c : value) {
        if (c == '"' || c == '\\')
            out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}
