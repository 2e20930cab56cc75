#include "camsim/Camsim_Request.h"

#include <cctype>

std::string Camsim_Request::Param(const std::string& key) const
{
    auto it = Params.find(key);
    return it == Params.end() ? std::string() : it->second;
}

std::optional<std::string> Camsim_Request::Header(std::string_view name) const
{
    std::string_view rest = Head;
    std::size_t line_end = rest.find('\n');
    while (line_end != std::string_view::npos) {
        rest.remove_prefix(line_end + 1);  // the request line first, then each field line
        line_end = rest.find('\n');
        std::string_view line = rest.substr(0, line_end);
        std::size_t colon = line.find(':');
        if (colon != name.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < colon && same; ++i)
            same =
                std::tolower(static_cast<unsigned char>(line[i])) == std::tolower(static_cast<unsigned char>(name[i]));
        if (!same)
            continue;
        std::string_view value = line.substr(colon + 1);
        while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
            value.remove_prefix(1);
        while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r'))
            value.remove_suffix(1);
        return std::string(value);
    }
    return std::nullopt;
}

std::optional<Camsim_Request> Parse_Camsim_Request(std::string_view head)
{
    Camsim_Request request;
    request.Head = std::string(head);
    std::string_view line = head.substr(0, head.find_first_of("\r\n"));
    std::size_t first = line.find(' ');
    std::size_t last = line.rfind(' ');
    if (first == std::string_view::npos || last == first)
        return std::nullopt;
    request.Method = std::string(line.substr(0, first));
    std::string_view target = line.substr(first + 1, last - first - 1);
    request.Target = std::string(target);
    std::size_t question = target.find('?');
    request.Path = std::string(target.substr(0, question));
    if (question != std::string_view::npos) {
        std::string_view query = target.substr(question + 1);
        while (!query.empty()) {
            std::size_t amp = query.find('&');
            std::string_view pair = query.substr(0, amp);
            std::size_t eq = pair.find('=');
            if (!pair.empty())
                request.Params.emplace(std::string(pair.substr(0, eq)),
                                       eq == std::string_view::npos ? std::string() : std::string(pair.substr(eq + 1)));
            if (amp == std::string_view::npos)
                break;
            query.remove_prefix(amp + 1);
        }
    }
    return request;
}
