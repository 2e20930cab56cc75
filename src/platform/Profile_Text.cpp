#include "platform/Profile_Text.h"

#include <vector>

namespace {

enum class Line_Kind { Other, Section, Key };

// One line of the content, as byte offsets into it.
struct Line {
    std::size_t begin = 0;     // first byte
    std::size_t text_end = 0;  // end of the text, before the line end
    std::size_t end = 0;       // after the line end ("\r\n", "\n" or "\r"), or the content's end
    Line_Kind kind = Line_Kind::Other;
    std::string_view name;       // section or key name, without surrounding blanks
    std::string_view raw_value;  // key lines: everything after the first "="

    bool Has_Line_End() const { return end > text_end; }
};

char Lower_Ascii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

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
    const std::string_view trimmed = Trim_Profile_Blanks(text);
    if (trimmed.empty())
        return;
    if (trimmed.front() == '[') {
        line.kind = Line_Kind::Section;
        std::string_view name = trimmed.substr(1);
        name = name.substr(0, name.find(']'));
        line.name = Trim_Profile_Blanks(name);
    } else if (trimmed.front() != ';' && trimmed.find('=') != std::string_view::npos) {
        line.kind = Line_Kind::Key;
        const std::size_t equals = text.find('=');
        line.name = Trim_Profile_Blanks(text.substr(0, equals));
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
        const std::size_t at = content.find_first_of("\r\n", pos);
        if (at == std::string_view::npos) {
            line.text_end = line.end = content.size();
        } else {
            line.text_end = at;
            const bool cr_lf = content[at] == '\r' && at + 1 < content.size() && content[at + 1] == '\n';
            line.end = at + (cr_lf ? 2 : 1);
        }

        std::string_view text = content.substr(line.begin, line.text_end - line.begin);
        if (line.begin == 0 && text.substr(0, Byte_Order_Mark.size()) == Byte_Order_Mark)
            text.remove_prefix(Byte_Order_Mark.size());
        Classify(text, line);
        lines.push_back(line);
        pos = line.end;
    }
    return lines;
}

// The line end of the lines a write adds or completes: that of the first line that has one, so
// that a file keeps the one kind of line end it uses (CR LF when it came from Windows, LF when we
// or another Unix program wrote it, CR in an old Mac file). A file that mixes them has no right
// answer; its first line is the one most likely written by whoever made the file. "\n" when no
// line has an end yet, as for a new file.
std::string_view Line_End_Of(std::string_view content, const std::vector<Line>& lines)
{
    for (const Line& line : lines)
        if (line.Has_Line_End())
            return content.substr(line.text_end, line.end - line.text_end);
    return "\n";
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

std::string Key_Line(std::string_view key, std::string_view value)
{
    std::string line(key);
    line += '=';
    line += value;
    return line;
}

}  // namespace

std::string_view Trim_Profile_Blanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(Profile_Blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(Profile_Blanks) + 1 - first);
}

std::optional<std::string> Profile_Find_Value(std::string_view content, std::string_view section, std::string_view key)
{
    const std::vector<Line> lines = Split_Lines(content);
    const std::size_t header = Find_Section(lines, section);
    if (header == lines.size())
        return std::nullopt;
    const std::size_t last = Section_End(lines, header);
    const std::size_t k = Find_Key(lines, header + 1, last, key);
    if (k == last)
        return std::nullopt;

    std::string_view value = Trim_Profile_Blanks(lines[k].raw_value);
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
    if (Trim_Profile_Blanks(section).size() != section.size() || Trim_Profile_Blanks(key).size() != key.size())
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
    const std::string_view line_end = Line_End_Of(content, lines);
    std::string result(content);

    const std::size_t header = Find_Section(lines, section);
    if (header == lines.size()) {
        if (!value)
            return result;
        if (!lines.empty() && !lines.back().Has_Line_End())
            result += line_end;
        result += '[';
        result += section;
        result += ']';
        result += line_end;
        result += Key_Line(key, *value);
        result += line_end;
        return result;
    }

    const std::size_t last = Section_End(lines, header);
    const std::size_t k = Find_Key(lines, header + 1, last, key);
    if (k != last) {
        const Line& line = lines[k];
        if (!value) {
            result.erase(line.begin, line.end - line.begin);
            return result;
        }
        std::string replaced = Key_Line(line.name, *value);
        if (!line.Has_Line_End())
            replaced += line_end;
        result.replace(line.begin, line.text_end - line.begin, replaced);
        return result;
    }
    if (!value)
        return result;

    std::size_t after = header;
    for (std::size_t i = header + 1; i < last; ++i)
        if (lines[i].kind == Line_Kind::Key)
            after = i;
    std::string inserted = lines[after].Has_Line_End() ? std::string() : std::string(line_end);
    inserted += Key_Line(key, *value);
    inserted += line_end;
    result.insert(lines[after].end, inserted);
    return result;
}
