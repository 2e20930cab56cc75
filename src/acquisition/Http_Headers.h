#pragma once
#include <string>
#include <string_view>
#include <vector>

struct Http_Header {
    std::string Name;   // as received, text before the line's first ":"
    std::string Value;  // trimmed; continuation lines joined with one space
};

// The header lines of one reply head, in order. Names compare without regard to case.
class Http_Headers {
public:
    void Add(std::string name, std::string value) { items_.push_back({std::move(name), std::move(value)}); }
    // Appends a continuation line to the last header; false when there is none yet.
    bool Continue_Last(std::string_view text);
    void Clear() { items_.clear(); }

    // Value of the first header named name, or nullptr.
    const std::string* Find(std::string_view name) const;
    // Values of every header named name, in order.
    std::vector<std::string> All(std::string_view name) const;
    const std::vector<Http_Header>& Items() const { return items_; }

private:
    std::vector<Http_Header> items_;
};
