#pragma once

// The full-screen window's digital zoom and pan. The picture control is made larger or smaller than
// the window and moved; the window clips it. Pure arithmetic, so every edge is tested directly.
//
// Zoom 1.0 shows the picture at the window's size; it never goes below Min_Zoom and has no upper
// limit. Offsets are in pixels, unbounded: positive X shows more of the right part, positive Y more
// of the lower part.
namespace Zoom_Math {

inline constexpr double Zoom_Step = 0.2;
inline constexpr double Min_Zoom = 0.2;
inline constexpr double Pan_Step = 100;
// The track bar's positions 0..20 stand for zoom = (position + Bar_Offset) / Bar_Scale.
inline constexpr double Bar_Scale = 2.0408;
inline constexpr double Bar_Offset = 0.4081;
inline constexpr int Bar_Min = 0;
inline constexpr int Bar_Max = 20;

struct Bounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const Bounds&) const = default;
};

struct Zoom_State {
    double Zoom = 1.0;
    double Offset_X = 0;
    double Offset_Y = 0;
};

// Toward zero, saturating at the int range (a zoom or pan pushed without limit never overflows).
int Trunc(double value);
// To the nearest integer, a half to the even one, saturating at the int range.
int Round(double value);

// Bounds of the picture control for a base size (its size at zoom 1.0):
// width = Trunc(base_width * zoom), height = Trunc(base_height * zoom),
// left = -Trunc((width - base_width) / 2 + offset_x), top = -Trunc((height - base_height) / 2 + offset_y),
// the halving in real arithmetic.
Bounds Picture_Bounds(int base_width, int base_height, const Zoom_State& state);

// Track bar position for a zoom: Round(Bar_Scale * zoom - Bar_Offset), kept within 0..20.
int Bar_Position(double zoom);

// "+": zoom + 0.2.
double Zoom_Plus(double zoom);
// "-": zoom - 0.2, raised to Min_Zoom when below it.
double Zoom_Moins(double zoom);
// The zoom a track bar position stands for, raised to Min_Zoom when below it.
double Zoom_From_Bar(int position);

// The pad's arrows and centre picture.
Zoom_State Pan_Left(Zoom_State state);
Zoom_State Pan_Right(Zoom_State state);
Zoom_State Pan_Up(Zoom_State state);
Zoom_State Pan_Down(Zoom_State state);
Zoom_State Full_View();

}  // namespace Zoom_Math
