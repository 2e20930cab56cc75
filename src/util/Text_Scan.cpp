#include "util/Text_Scan.h"

namespace {

template <typename Drop>
std::string_view Trim_If(std::string_view text, Drop drop)
{
    while (!text.empty() && drop(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && drop(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace

std::string_view Trim_Blanks(std::string_view text)
{
    return Trim_If(text, Is_Blank);
}

std::string_view Trim_View(std::string_view text)
{
    return Trim_If(text, [](char c) { return static_cast<unsigned char>(c) <= 32; });
}
