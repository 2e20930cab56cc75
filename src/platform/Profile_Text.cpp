#include "Profile_Text.h"
#include "Text_Scan.h"

#include <vector>

namespace {

enum class Line_Kind { Other, Blank, Section, Key };

// One line of the content, as byte offsets into it.
struct Line {
    std::size_t begin = 0;     // first byte
    std::size_t text_end = 0;  // end of the text, before "\r\n" / "\n" (or a final "\r")
    std::size_t end = 0;       // after the line end
    bool has_newline = false;  // the line ends with "\n"
    Line_Kind kind = Line_Kind::Other;
    std::string_view name;     // section or key name, without surrounding blanks
    std::string_view raw_value;  // key lines: everything after the first "="
};

char Lower_Ascii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool Same_Name(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower_Ascii(a[i]) != Lower_Ascii(b[i]))
            return false;
    return true;
}

constexpr std::string_view Byte_Order_Mark = "\xEF\xBB\xBF";

void Classify(std::string_view text, Line& line)
{
    const std::string_view trimmed = Trim_Blanks(text);
    if (trimmed.empty()) {
        line.kind = Line_Kind::Blank;
    } else if (trimmed.front() == '[') {
        line.kind = Line_Kind::Section;
        std::string_view name = trimmed.substr(1);
        name = name.substr(0, name.find(']'));
        line.name = Trim_Blanks(name);
    } else if (trimmed.front() != ';' && trimmed.find('=') != std::string_view::npos) {
        line.kind = Line_Kind::Key;
        const std::size_t equals = text.find('=');
        line.name = Trim_Blanks(text.substr(0, equals));
        line.raw_value = text.substr(equals + 1);
    }
}

std::vector<Line> Split_Lines(std::string_view content)
{
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < content.size()) {
        Line line;
        line.begin = pos;
        const std::size_t newline = content.find('\n', pos);
        line.has_newline = newline != std::string_view::npos;
        line.end = line.has_newline ? newline + 1 : content.size();
        line.text_end = line.has_newline ? newline : content.size();
        if (line.text_end > line.begin && content[line.text_end - 1] == '\r')
            --line.text_end;

        std::string_view text = content.substr(line.begin, line.text_end - line.begin);
        if (line.begin == 0 && text.substr(0, Byte_Order_Mark.size()) == Byte_Order_Mark)
            text.remove_prefix(Byte_Order_Mark.size());
        Classify(text, line);
        lines.push_back(line);
        pos = line.end;
    }
    return lines;
}

// Index of the first section line named section, or lines.size().
std::size_t Find_Section(const std::vector<Line>& lines, std::string_view section)
{
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == Line_Kind::Section && Same_Name(lines[i].name, section))
            return i;
    return lines.size();
}

// Index of the line after the last line of the section that starts at header.
std::size_t Section_End(const std::vector<Line>& lines, std::size_t header)
{
    std::size_t i = header + 1;
    while (i < lines.size() && lines[i].kind != Line_Kind::Section)
        ++i;
    return i;
}

// Index of the first key line named key in lines [first, last), or last.
std::size_t Find_Key(const std::vector<Line>& lines, std::size_t first, std::size_t last, std::string_view key)
{
    for (std::size_t i = first; i < last; ++i)
        if (lines[i].kind == Line_Kind::Key && Same_Name(lines[i].name, key))
            return i;
    return last;
}

bool Has_Line_Break_Or_Nul(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

} // namespace

std::optional<std::string> Profile_Find_Value(std::string_view content, std::string_view section,
                                              std::string_view key)
{
    const std::vector<Line> lines = Split_Lines(content);
    const std::size_t header = Find_Section(lines, section);
    if (header == lines.size())
        return std::nullopt;
    const std::size_t last = Section_End(lines, header);
    const std::size_t k = Find_Key(lines, header + 1, last, key);
    if (k == last)
        return std::nullopt;

    std::string_view value = Trim_Blanks(lines[k].raw_value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (value.size() > Profile_Max_Value)
        value = value.substr(0, Profile_Max_Value);
    return std::string(value);
}

bool Profile_Is_Writable_Name(std::string_view section, std::string_view key)
{
    if (section.empty() || key.empty())
        return false;
    if (Has_Line_Break_Or_Nul(section) || Has_Line_Break_Or_Nul(key))
        return false;
    if (section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos)
        return false;
    if (Trim_Blanks(section).size() != section.size() || Trim_Blanks(key).size() != key.size())
        return false;
    // A key line starting like a section or a comment would not read back as a key.
    return key.front() != '[' && key.front() != ';';
}

bool Profile_Is_Writable_Value(std::string_view value)
{
    return !Has_Line_Break_Or_Nul(value);
}

std::string Profile_Set_Value(std::string_view content, std::string_view section, std::string_view key,
                              std::optional<std::string_view> value)
{
    const std::vector<Line> lines = Split_Lines(content);
    std::string result(content);

    auto key_line = [&] {
        std::string line(key);
        line += '=';
        line += *value;
        return line;
    };

    const std::size_t header = Find_Section(lines, section);
    if (header == lines.size()) {
        if (!value)
            return result;
        if (!result.empty() && result.back() != '\n')
            result += '\n';
        result += '[';
        result += section;
        result += "]\n";
        result += key_line();
        result += '\n';
        return result;
    }

    const std::size_t last = Section_End(lines, header);
    const std::size_t k = Find_Key(lines, header + 1, last, key);
    if (k != last) {
        const Line& line = lines[k];
        if (value)
            result.replace(line.begin, line.text_end - line.begin, key_line());
        else
            result.erase(line.begin, line.end - line.begin);
        return result;
    }
    if (!value)
        return result;

    std::size_t after = header;
    for (std::size_t i = header + 1; i < last; ++i)
        if (lines[i].kind != Line_Kind::Blank)
            after = i;
    std::string inserted = lines[after].has_newline ? std::string() : std::string("\n");
    inserted += key_line();
    inserted += '\n';
    result.insert(lines[after].end, inserted);
    return result;
}
