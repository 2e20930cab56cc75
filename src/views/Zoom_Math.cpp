#include "views/Zoom_Math.h"

#include <cmath>
#include <limits>

namespace Zoom_Math {

namespace {

constexpr double Int_Min = static_cast<double>(std::numeric_limits<int>::min());
constexpr double Int_Max = static_cast<double>(std::numeric_limits<int>::max());

int Saturate(double whole)
{
    if (std::isnan(whole))
        return 0;
    if (whole <= Int_Min)
        return std::numeric_limits<int>::min();
    if (whole >= Int_Max)
        return std::numeric_limits<int>::max();
    return static_cast<int>(whole);
}

}  // namespace

int Trunc(double value)
{
    return Saturate(std::trunc(value));
}

int Round(double value)
{
    // Explicit half-to-even, independent of the floating-point rounding mode.
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double whole = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0))
        whole = floor + 1.0;
    return Saturate(whole);
}

Bounds Picture_Bounds(int base_width, int base_height, const Zoom_State& state)
{
    const int width = Trunc(base_width * state.Zoom);
    const int height = Trunc(base_height * state.Zoom);
    const int left = -Trunc((static_cast<double>(width) - base_width) / 2.0 + state.Offset_X);
    const int top = -Trunc((static_cast<double>(height) - base_height) / 2.0 + state.Offset_Y);
    return {left, top, width, height};
}

int Bar_Position(double zoom)
{
    const double raw = Bar_Scale * zoom - Bar_Offset;
    if (!(raw > Bar_Min))  // NaN too
        return Bar_Min;
    if (raw >= Bar_Max)
        return Bar_Max;
    return Round(raw);
}

double Zoom_Plus(double zoom)
{
    return zoom + Zoom_Step;
}

double Zoom_Moins(double zoom)
{
    const double lower = zoom - Zoom_Step;
    return lower < Min_Zoom ? Min_Zoom : lower;
}

double Zoom_From_Bar(int position)
{
    const double zoom = (position + Bar_Offset) / Bar_Scale;
    return zoom < Min_Zoom ? Min_Zoom : zoom;
}

Zoom_State Pan_Left(Zoom_State state)
{
    state.Offset_X -= Pan_Step;
    return state;
}

Zoom_State Pan_Right(Zoom_State state)
{
    state.Offset_X += Pan_Step;
    return state;
}

Zoom_State Pan_Up(Zoom_State state)
{
    state.Offset_Y -= Pan_Step;
    return state;
}

Zoom_State Pan_Down(Zoom_State state)
{
    state.Offset_Y += Pan_Step;
    return state;
}

Zoom_State Full_View()
{
    return {};
}

}  // namespace Zoom_Math
