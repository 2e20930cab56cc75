#include "acquisition/Http_Headers.h"

#include "acquisition/Http_Text.h"

bool Http_Headers::Continue_Last(std::string_view text)
{
    if (items_.empty())
        return false;
    std::string& value = items_.back().Value;
    value += ' ';
    value += Trim_View(text);
    return true;
}

const std::string* Http_Headers::Find(std::string_view name) const
{
    for (const auto& header : items_)
        if (Http_Same_Text(header.Name, name))
            return &header.Value;
    return nullptr;
}

std::vector<std::string> Http_Headers::All(std::string_view name) const
{
    std::vector<std::string> values;
    for (const auto& header : items_)
        if (Http_Same_Text(header.Name, name))
            values.push_back(header.Value);
    return values;
}
