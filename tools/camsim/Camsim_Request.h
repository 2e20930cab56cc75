#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>

// The parts of one request head a camera looks at.
struct Camsim_Request {
    std::string Head;  // raw bytes, empty line included
    std::string Method;
    std::string Target;                         // the request target exactly as on the request line
    std::string Path;                           // target up to "?"
    std::map<std::string, std::string> Params;  // query "key=value" pairs split at "&" (raw, first wins)

    // The value of a query parameter, "" when absent.
    std::string Param(const std::string& key) const;
    bool Has_Param(const std::string& key) const { return Params.count(key) != 0; }
    // The value of the first header field named name (any case), blanks around it removed;
    // nullopt when there is none.
    std::optional<std::string> Header(std::string_view name) const;
};

// Takes apart a request head (everything up to and including the empty line);
// nullopt when the request line is not "METHOD TARGET VERSION".
std::optional<Camsim_Request> Parse_Camsim_Request(std::string_view head);
