#pragma once
#include <array>
#include <optional>

// Geometry of the camera grid and the two tables behind the grid lists, as pure decisions.

struct Grid_Size {
    int Width = 0;
    int Height = 0;
    bool operator==(const Grid_Size&) const = default;
};

struct Grid_Point {
    int Left = 0;
    int Top = 0;
    bool operator==(const Grid_Point&) const = default;
};

// Items of CBX_Size_Pnl and CBX_Frame_Rate, in list order.
inline constexpr std::array<const char*, 4> Size_Pnl_Items = {"80*60", "160*120", "320*240", "640*480"};
inline constexpr std::array<const char*, 12> Frame_Rate_Items = {"20 fps",  "15 fps",  "10 fps",  "5 fps",
                                                                 "4 fps",   "3 fps",   "2 fps",   "1 fps",
                                                                 "1 fp/2s", "1 fp/3s", "1 fp/4s", "1 fp/5s"};
inline constexpr std::array<int, 12> Frame_Rate_Intervals_Ms = {50,  67,   100,  200,  250,  333,
                                                                500, 1000, 2000, 3000, 4000, 5000};

// Size of one camera panel for the item index s of CBX_Size_Pnl: Trunc(2^s * 80) by Trunc(2^s * 60), the
// power taken as a real (index -1, a list without a chosen item, gives 40 x 30).
Grid_Size Panel_Size(int size_index);

// Columns of the grid for a number of cameras: 1 for 1, 2 for 2 to 4, 3 for 5 to 9; 0 otherwise.
int Grid_Columns(int nb_cam);

// Size of PNL_Cams for nb_cam panels of w x h: 3 pixels per column and per row more than the panels and
// their gaps need. Nothing for a count outside 1..9 (the panel keeps its size).
std::optional<Grid_Size> Cams_Panel_Size(int nb_cam, Grid_Size panel);

// Place of slot N (1..9) among `columns` columns: gaps of 3 pixels between panels and to the edges.
Grid_Point Slot_Position(int slot, int columns, Grid_Size panel);

// Interval of the refresh timer for an item index of CBX_Frame_Rate; nothing outside 0..11.
std::optional<int> Frame_Rate_Interval(int frame_rate_index);
