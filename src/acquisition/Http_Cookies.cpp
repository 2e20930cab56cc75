#include "acquisition/Http_Cookies.h"

#include <algorithm>
#include <ctime>

#include "acquisition/Http_Text.h"

namespace {

bool Has_Control_Character(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        auto u = static_cast<unsigned char>(c);
        return (u < 32 && c != '\t') || u == 127;
    });
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

int Month_Of(std::string_view token)
{
    static constexpr const char* months[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                             "jul", "aug", "sep", "oct", "nov", "dec"};
    if (token.size() < 3)
        return -1;
    std::string prefix = Http_Lower(token.substr(0, 3));
    for (int i = 0; i < 12; ++i)
        if (prefix == months[i])
            return i;
    return -1;
}

bool Is_Address_Literal(std::string_view host)
{
    return host.find(':') != std::string_view::npos ||
           (!host.empty() &&
            std::all_of(host.begin(), host.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; }));
}

}  // namespace

bool Cookie_Domain_Match(std::string_view host, std::string_view domain)
{
    if (host == domain)
        return true;
    return !domain.empty() && host.size() > domain.size() && host.substr(host.size() - domain.size()) == domain &&
           host[host.size() - domain.size() - 1] == '.' && !Is_Address_Literal(host);
}

bool Cookie_Path_Match(std::string_view request_path, std::string_view cookie_path)
{
    if (request_path.substr(0, cookie_path.size()) != cookie_path)
        return false;
    return request_path.size() == cookie_path.size() || (!cookie_path.empty() && cookie_path.back() == '/') ||
           request_path[cookie_path.size()] == '/';
}

std::optional<std::chrono::system_clock::time_point> Parse_Cookie_Date(std::string_view text)
{
    int day = -1, month = -1, year = -1, hour = -1, minute = -1, second = -1;
    std::string token;
    auto take = [&](std::string_view t) {
        if (t.empty())
            return;
        if (hour < 0 && std::count(t.begin(), t.end(), ':') == 2) {
            auto fields = Split(t, ':');
            auto h = Http_Parse_Decimal(fields[0]), m = Http_Parse_Decimal(fields[1]),
                 s = Http_Parse_Decimal(fields[2]);
            if (h && m && s) {
                hour = static_cast<int>(*h);
                minute = static_cast<int>(*m);
                second = static_cast<int>(*s);
            }
            return;
        }
        if (month < 0 && Month_Of(t) >= 0 && !(t[0] >= '0' && t[0] <= '9')) {
            month = Month_Of(t);
            return;
        }
        auto number = Http_Parse_Decimal(t);
        if (!number || t[0] == '-' || t[0] == '+')
            return;
        if (day < 0 && t.size() <= 2)
            day = static_cast<int>(*number);
        else if (year < 0 && (t.size() == 2 || t.size() == 4))
            year = static_cast<int>(*number);
    };
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        bool end = i == text.size() || text[i] == ' ' || text[i] == ',' || text[i] == '-' || text[i] == '\t';
        if (end) {
            take(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (year >= 0 && year < 100)
        year += year < 70 ? 2000 : 1900;
    if (day < 1 || day > 31 || month < 0 || year < 1601 || hour < 0 || hour > 23 || minute > 59 || second > 60)
        return std::nullopt;
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    std::time_t t = timegm(&tm);
    return std::chrono::system_clock::from_time_t(t);
}

void Http_Cookies::Store(std::string_view set_cookie, const std::string& request_host, Time now)
{
    auto parts = Split(set_cookie, ';');
    std::string_view pair = parts[0];
    std::size_t equals = pair.find('=');
    if (equals == std::string_view::npos)
        return;
    Http_Cookie cookie;
    cookie.Name = std::string(Trim_View(pair.substr(0, equals)));
    cookie.Value = std::string(Trim_View(pair.substr(equals + 1)));
    if (cookie.Name.empty() || cookie.Name.size() + cookie.Value.size() > Max_Cookie_Bytes)
        return;
    if (Has_Control_Character(cookie.Name) || Has_Control_Character(cookie.Value))
        return;

    std::optional<Time> max_age_expiry;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        std::string_view attribute = Trim_View(parts[i]);
        std::size_t eq = attribute.find('=');
        std::string_view name = Trim_View(attribute.substr(0, eq));
        std::string_view value =
            eq == std::string_view::npos ? std::string_view() : Trim_View(attribute.substr(eq + 1));
        if (Http_Same_Text(name, "domain") && !value.empty()) {
            if (value.front() == '.')
                value.remove_prefix(1);
            cookie.Domain = Http_Lower(value);
        } else if (Http_Same_Text(name, "path") && !value.empty()) {
            cookie.Path = std::string(value);
        } else if (Http_Same_Text(name, "secure")) {
            cookie.Secure = true;
        } else if (Http_Same_Text(name, "expires")) {
            if (auto when = Parse_Cookie_Date(value))
                cookie.Expires = when;
        } else if (Http_Same_Text(name, "max-age")) {
            if (auto seconds = Http_Parse_Decimal(value)) {
                long long bounded = std::clamp<long long>(*seconds, 0, 100LL * 365 * 24 * 3600);
                max_age_expiry = now + std::chrono::seconds(bounded);
            }
        }
    }
    if (max_age_expiry)
        cookie.Expires = max_age_expiry;
    const std::string host = Http_Lower(request_host);
    if (cookie.Domain.empty()) {
        cookie.Domain = host;
        cookie.Host_Only = true;
    } else if (!Cookie_Domain_Match(host, cookie.Domain)) {
        return;
    }
    if (cookie.Path.empty())
        cookie.Path.assign(1, '/');  // (assigning "/" trips a false -Wrestrict in g++ 12)
    if (Has_Control_Character(cookie.Domain) || Has_Control_Character(cookie.Path))
        return;

    std::erase_if(cookies_, [&](const Http_Cookie& c) {
        return c.Name == cookie.Name && c.Domain == cookie.Domain && c.Path == cookie.Path;
    });
    if (cookie.Expires && *cookie.Expires <= now)
        return;
    if (cookies_.size() >= Max_Cookies)
        cookies_.erase(cookies_.begin());
    cookies_.push_back(std::move(cookie));
}

void Http_Cookies::Drop_Expired(Time now)
{
    std::erase_if(cookies_, [&](const Http_Cookie& c) { return c.Expires && *c.Expires <= now; });
}

std::string Http_Cookies::Header_For(const std::string& host, const std::string& request_path) const
{
    std::string lower_host = Http_Lower(host);
    std::string header;
    for (const auto& c : cookies_) {
        if (c.Secure || c.Value.empty())
            continue;
        if (c.Host_Only ? lower_host != c.Domain : !Cookie_Domain_Match(lower_host, c.Domain))
            continue;
        if (!Cookie_Path_Match(request_path, c.Path))
            continue;
        if (!header.empty())
            header += "; ";
        header += c.Name + "=" + c.Value;
    }
    return header;
}
