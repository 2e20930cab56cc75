#pragma once
#include <optional>
#include <string>
#include <vector>

// Values of the window-layout file appli.ini, as pure text conversions.

// A list of integers in decimal separated by "," without blanks. Empty when the text holds any item that is
// not a plain integer (so a caller that checks the item count also rejects such a text).
std::vector<int> Parse_Int_List(const std::string& text);
std::string Format_Int_List(const std::vector<int>& items);

struct Screen_Rect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;  // Right and Bottom are exclusive
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const Screen_Rect&) const = default;
};

// Show states stored in the placement.
enum class Show_State { Normal = 1, Minimized = 2, Maximized = 3 };

// The main window's remembered placement: marker 200, flags, show state, normal rectangle.
struct Window_Placement {
    int Flags = 0;
    Show_State State = Show_State::Normal;
    Screen_Rect Normal;
    bool operator==(const Window_Placement&) const = default;
};

// The seven-item "F_Main" value; nothing unless it has exactly seven integers, the first being 200,
// a known show state and a rectangle of positive size.
std::optional<Window_Placement> Parse_Placement(const std::string& text);
std::string Format_Placement(const Window_Placement& placement);

// The rectangle moved (never resized) so that it does not reach beyond the right or bottom edge of the
// desktop and does not start before its left or top edge (left and top win when it is larger than the desktop).
Screen_Rect Keep_Inside(Screen_Rect rect, const Screen_Rect& desktop);

// The splitter's pane order "PaneO": exactly the two pane numbers 0 and 1 in some order.
bool Is_Pane_Order(const std::vector<int>& items);
// The splitter's pane visibility "PaneV": two items, each 0 or 1.
bool Is_Pane_Visibility(const std::vector<int>& items);
