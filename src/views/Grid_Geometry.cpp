#include "views/Grid_Geometry.h"

#include <cmath>

Grid_Size Panel_Size(int size_index)
{
    const double scale = std::pow(2.0, size_index);
    return {static_cast<int>(std::trunc(scale * 80)), static_cast<int>(std::trunc(scale * 60))};
}

int Grid_Columns(int nb_cam)
{
    if (nb_cam == 1)
        return 1;
    if (nb_cam >= 2 && nb_cam <= 4)
        return 2;
    if (nb_cam >= 5 && nb_cam <= 9)
        return 3;
    return 0;
}

std::optional<Grid_Size> Cams_Panel_Size(int nb_cam, Grid_Size panel)
{
    if (nb_cam < 1 || nb_cam > 9)
        return std::nullopt;
    const int columns = Grid_Columns(nb_cam);
    const int rows = nb_cam <= 2 ? 1 : nb_cam <= 6 ? 2 : 3;
    return Grid_Size{columns * panel.Width + 6 * columns, rows * panel.Height + 6 * rows};
}

Grid_Point Slot_Position(int slot, int columns, Grid_Size panel)
{
    if (columns <= 0)
        return {3, 3};
    const int column = (slot - 1) % columns;
    const int row = (slot - 1) / columns;
    return {3 + column * (panel.Width + 3), 3 + row * (panel.Height + 3)};
}

std::optional<int> Frame_Rate_Interval(int frame_rate_index)
{
    if (frame_rate_index < 0 || frame_rate_index >= static_cast<int>(Frame_Rate_Intervals_Ms.size()))
        return std::nullopt;
    return Frame_Rate_Intervals_Ms[static_cast<std::size_t>(frame_rate_index)];
}
