// Text edits: blanks, replacements, removed characters, padding and file-name cleaning.
#include "util/U_Lib_Util_Vesk.h"

#include "util/Text_Scan.h"

#include <algorithm>
#include <string_view>

namespace {

// Replaces every occurrence of old_text found in text, scanning left to right and continuing
// after each inserted new_text (so an inserted text is never searched again).
std::string Replace_Single_Pass(const std::string& text, const std::string& old_text, const std::string& new_text)
{
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = text.find(old_text); at != std::string::npos; at = text.find(old_text, from)) {
        result.append(text, from, at - from);
        result += new_text;
        from = at + old_text.size();
    }
    result.append(text, from, std::string::npos);
    return result;
}

// Bounds on the repeated replacement: a rule such as "ab" -> "bba" terminates but doubles the text
// for every leading "a"; past these bounds the single pass is used instead.
constexpr std::size_t Replace_Growth_Factor = 16;
constexpr std::size_t Replace_Min_Limit = 1 << 16;
constexpr std::size_t Replace_Max_Steps = 1 << 20;

}  // namespace

std::string Remove_Spaces(const std::string& text)
{
    return Remove_Char(text, ' ');
}

std::string Replace_All(const std::string& text, const std::string& old_text, const std::string& new_text)
{
    try {
        if (old_text.empty())
            return text;
        if (new_text.find(old_text) != std::string::npos)
            return Replace_Single_Pass(text, old_text, new_text);

        const std::size_t size_limit = std::max(Replace_Min_Limit, text.size() * Replace_Growth_Factor);
        std::string result = text;
        std::size_t steps = 0;
        // Searching again "from the start" only needs to look from where an occurrence could
        // overlap the last replacement: nothing before the first occurrence changed.
        std::size_t from = 0;
        for (std::size_t at = result.find(old_text); at != std::string::npos; at = result.find(old_text, from)) {
            if (++steps > Replace_Max_Steps || result.size() > size_limit)
                return Replace_Single_Pass(text, old_text, new_text);
            result.replace(at, old_text.size(), new_text);
            from = at >= old_text.size() - 1 ? at - (old_text.size() - 1) : 0;
        }
        return result;
    } catch (...) {
        return text;
    }
}

std::string Remove_Char(const std::string& text, char ch)
{
    try {
        std::string result = text;
        result.erase(std::remove(result.begin(), result.end(), ch), result.end());
        return result;
    } catch (...) {
        return text;
    }
}

std::string Pad_Left(const std::string& text, int width, char pad)
{
    try {
        if (width <= 0 || text.size() >= static_cast<std::size_t>(width))
            return text;
        return std::string(static_cast<std::size_t>(width) - text.size(), pad) + text;
    } catch (...) {
        return text;
    }
}

std::string Pad_Left(const std::string& text, int width, const std::string& pad)
{
    try {
        if (width <= 0 || pad.empty() || text.size() >= static_cast<std::size_t>(width))
            return text;
        std::string result;
        const std::size_t copies = static_cast<std::size_t>(width) - text.size();
        result.reserve(copies * pad.size() + text.size());
        for (std::size_t i = 0; i < copies; ++i)
            result += pad;
        return result + text;
    } catch (...) {
        return text;
    }
}

std::string Zero_Padded(int32_t value, int width)
{
    return Pad_Left(Int_To_Text(value, 0), width, '0');
}

std::string Clean_File_Name(const std::string& text)
{
    try {
        std::string result = text;
        for (char forbidden : std::string_view("\\/:*?<>|"))
            result = Remove_Char(result, forbidden);
        return result;
    } catch (...) {
        return text;
    }
}

std::string Trim(const std::string& text)
{
    try {
        return std::string(Trim_View(text));
    } catch (...) {
        return text;
    }
}
