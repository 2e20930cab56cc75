#include "app/Layout_Values.h"

#include <algorithm>
#include <charconv>

std::vector<int> Parse_Int_List(const std::string& text)
{
    std::vector<int> items;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::size_t end = comma == std::string::npos ? text.size() : comma;
        int value = 0;
        const char* first = text.data() + start;
        const char* last = text.data() + end;
        const auto [ptr, ec] = std::from_chars(first, last, value);
        if (first == last || ec != std::errc() || ptr != last)
            return {};
        items.push_back(value);
        if (comma == std::string::npos)
            return items;
        start = comma + 1;
    }
}

std::string Format_Int_List(const std::vector<int>& items)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += ',';
        text += std::to_string(items[i]);
    }
    return text;
}

std::optional<Window_Placement> Parse_Placement(const std::string& text)
{
    const std::vector<int> items = Parse_Int_List(text);
    if (items.size() != 7 || items[0] != 200)
        return std::nullopt;
    if (items[2] < 1 || items[2] > 3)
        return std::nullopt;
    Window_Placement placement;
    placement.Flags = items[1];
    placement.State = static_cast<Show_State>(items[2]);
    placement.Normal = {items[3], items[4], items[5], items[6]};
    if (placement.Normal.Width() <= 0 || placement.Normal.Height() <= 0)
        return std::nullopt;
    return placement;
}

std::string Format_Placement(const Window_Placement& placement)
{
    const Screen_Rect& r = placement.Normal;
    return Format_Int_List({200, placement.Flags, static_cast<int>(placement.State), r.Left, r.Top, r.Right, r.Bottom});
}

Screen_Rect Keep_Inside(Screen_Rect rect, const Screen_Rect& desktop)
{
    const int width = rect.Width();
    const int height = rect.Height();
    if (rect.Right > desktop.Right)
        rect.Left = desktop.Right - width;
    if (rect.Bottom > desktop.Bottom)
        rect.Top = desktop.Bottom - height;
    rect.Left = std::max(rect.Left, desktop.Left);
    rect.Top = std::max(rect.Top, desktop.Top);
    rect.Right = rect.Left + width;
    rect.Bottom = rect.Top + height;
    return rect;
}

bool Is_Pane_Order(const std::vector<int>& items)
{
    return items.size() == 2 && ((items[0] == 0 && items[1] == 1) || (items[0] == 1 && items[1] == 0));
}

bool Is_Pane_Visibility(const std::vector<int>& items)
{
    return items.size() == 2 && std::all_of(items.begin(), items.end(), [](int v) { return v == 0 || v == 1; });
}
