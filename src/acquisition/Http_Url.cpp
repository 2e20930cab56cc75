#include "acquisition/Http_Url.h"

#include <vector>

#include "acquisition/Http_Error.h"
#include "acquisition/Http_Text.h"

namespace {

struct Target_Parts {
    std::string Path, Document, Query;
};

// Splits the text after the authority (without its leading "/") into path, document and query.
Target_Parts Split_Remainder(const std::string& remainder)
{
    std::size_t query_start = remainder.find('?');
    if (query_start == std::string::npos)
        query_start = remainder.find('=');
    if (query_start == std::string::npos)
        query_start = remainder.size();

    Target_Parts parts;
    std::size_t last_slash = query_start == 0 ? std::string::npos : remainder.rfind('/', query_start - 1);
    std::size_t document_start = last_slash == std::string::npos ? 0 : last_slash + 1;
    parts.Path = "/" + remainder.substr(0, document_start);
    parts.Document = remainder.substr(document_start, query_start - document_start);
    parts.Query = remainder.substr(query_start);

    // A fragment ends what is sent: the one in the document first, else the one in the query.
    std::size_t hash = parts.Document.find('#');
    if (hash != std::string::npos) {
        parts.Document.erase(hash);
        parts.Query.clear();
    } else if ((hash = parts.Query.find('#')) != std::string::npos) {
        parts.Query.erase(hash);
    }
    return parts;
}

int Port_Number(const std::string& text)
{
    auto value = Http_Parse_Decimal(text);
    if (!value || *value < 1 || *value > 65535 || text[0] == '-' || text[0] == '+')
        throw E_Http_Error(Http_Error_Text::Bad_Port);
    return static_cast<int>(*value);
}

void Take_Authority(const std::string& authority, Http_Url& url)
{
    std::string host_port = authority;
    std::size_t at = authority.find('@');
    if (at != std::string::npos) {
        std::string user_info = authority.substr(0, at);
        host_port = authority.substr(at + 1);
        std::size_t colon = user_info.find(':');
        std::string user = user_info.substr(0, colon);
        if (!user.empty()) {
            url.Has_User = true;
            url.User = Http_Percent_Decode(user);
            url.Password =
                colon == std::string::npos ? std::string() : Http_Percent_Decode(user_info.substr(colon + 1));
        }
    }
    std::size_t open = host_port.find('[');
    std::size_t close = open == std::string::npos ? std::string::npos : host_port.find(']', open + 1);
    if (close != std::string::npos) {
        url.Host = host_port.substr(open + 1, close - open - 1);
        url.Host_Is_Ipv6 = true;
        std::size_t colon = host_port.find(':', close + 1);
        if (colon != std::string::npos)
            url.Port_Text = host_port.substr(colon + 1);
    } else {
        std::size_t colon = host_port.find(':');
        url.Host = host_port.substr(0, colon);
        if (colon != std::string::npos)
            url.Port_Text = host_port.substr(colon + 1);
    }
}

}  // namespace

bool Http_Url::Is_Tls() const
{
    return Http_Same_Text(Scheme, "https");
}

bool Http_Url::Default_Port() const
{
    return Port_Text == (Is_Tls() ? "443" : "80");
}

Http_Url_Base Http_Url::As_Base() const
{
    Http_Url_Base base;
    base.Valid = true;
    base.Scheme = Scheme;
    base.Host = Host;
    base.Host_Is_Ipv6 = Host_Is_Ipv6;
    base.Port_Text = Port_Text;
    base.Port = Port;
    base.Path = Path;
    return base;
}

std::string Http_Remove_Dot_Segments(const std::string& path)
{
    std::vector<std::string> segments;
    std::size_t pos = 1;  // path begins with "/"
    bool trailing_slash = false;
    while (pos <= path.size()) {
        std::size_t end = path.find('/', pos);
        bool last = end == std::string::npos;
        std::string segment = path.substr(pos, last ? std::string::npos : end - pos);
        if (segment == ".") {
            trailing_slash = last;
        } else if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
            trailing_slash = last;
        } else if (!last) {
            segments.push_back(segment);
            trailing_slash = false;
        } else {
            if (!segment.empty())
                segments.push_back(segment);
            trailing_slash = segment.empty();
        }
        if (last)
            break;
        pos = end + 1;
    }
    std::string out;
    for (const auto& segment : segments)
        out += "/" + segment;
    if (out.empty() || trailing_slash)
        out += "/";
    return out;
}

Http_Url Parse_Http_Url(std::string text, const Http_Url_Base& previous)
{
    if (text.empty())
        throw E_Http_Error(Http_Error_Text::Empty_Url);
    for (char c : text)
        if (c == '\r' || c == '\n' || c == '\0')
            throw E_Http_Error(Http_Error_Text::Bad_Url_Character);
    for (char& c : text)
        if (c == '\\')
            c = '/';

    Http_Url url;
    Target_Parts parts;
    std::size_t separator = text.find("://");
    if (separator != std::string::npos) {
        url.Scheme = text.substr(0, separator);
        std::size_t authority_start = separator + 3;
        std::size_t slash = text.find('/', authority_start);
        std::string authority =
            text.substr(authority_start, slash == std::string::npos ? std::string::npos : slash - authority_start);
        std::string remainder = slash == std::string::npos ? std::string() : text.substr(slash + 1);
        Take_Authority(authority, url);
        parts = Split_Remainder(remainder);

        if (url.Port_Text.empty()) {
            if (Http_Same_Text(url.Scheme, "http")) {
                url.Port_Text = "80";
            } else if (url.Is_Tls()) {
                url.Port_Text = "443";
            } else {
                if (!previous.Valid)
                    throw E_Http_Error(Http_Error_Text::Unknown_Protocol);
                url.Port_Text = previous.Port_Text;
            }
        }
        if (url.Host.empty())
            throw E_Http_Error(Http_Error_Text::Empty_Host);
        url.Port = Port_Number(url.Port_Text);
    } else {
        if (!previous.Valid)
            throw E_Http_Error(Http_Error_Text::Unknown_Protocol);
        url.Scheme = previous.Scheme;
        url.Host = previous.Host;
        url.Host_Is_Ipv6 = previous.Host_Is_Ipv6;
        url.Port_Text = previous.Port_Text;
        url.Port = previous.Port;
        bool absolute = text[0] == '/';
        parts = Split_Remainder(absolute ? text.substr(1) : text);
        if (!absolute) {
            std::string joined = Http_Remove_Dot_Segments(previous.Path + parts.Path.substr(1) + parts.Document);
            std::size_t last_slash = joined.rfind('/');
            parts.Path = joined.substr(0, last_slash + 1);
            parts.Document = joined.substr(last_slash + 1);
        }
    }
    url.Path = parts.Path;
    url.Document = parts.Document;
    url.Query = parts.Query;
    return url;
}
