#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class QImage;

// Where the motion measure reads a picture of a given size: every Step-th column from X0 and,
// in each of them, every Step-th row from Y0. Step grows with the picture so that about a
// thousand pixels are read whatever its size. Count is 0 (and the rest meaningless) for a
// picture with no pixels or whose pixel count does not fit an int.
struct T_Sample_Grid {
    int Step = 0;
    int X0 = 0;
    int Y0 = 0;
    int Columns = 0;
    int Rows = 0;
    int Count = 0;  // Columns * Rows
};

T_Sample_Grid Sample_Grid(int Width, int Height) noexcept;

// Motion level in percent between frames A (current) and B (previous): 500 x (1 - r), clamped
// to 0..100, where r is the correlation of the brightness of the pixels on both frames'
// sample grids, paired in grid order (column by column). Identical frames give 0; r = 0.9
// gives 50; r <= 0.8 gives 100. With Low_Light, the level is divided by 5 when both frames'
// mean sampled brightness is below 50.
// Gives 0 when a frame is missing or empty, when the frames yield different sample counts
// (as different sizes usually do), or when either frame is of a single brightness. Never
// throws. Reads single pixels only; the frames are neither converted nor scaled.
double Compare_Bitmaps(const QImage* A, const QImage* B, bool Low_Light) noexcept;
double Compare_Bitmaps(const QImage& A, const QImage& B, bool Low_Light) noexcept;

// All the motion level reads of a frame: the brightness of its pixels on its sample grid, in grid order
// (column by column). Empty for a frame with no pixels (or none that fit an int).
struct T_Motion_Samples {
    std::vector<int> Values;
    bool operator==(const T_Motion_Samples&) const = default;
};

// The samples of picture (read in place for the 32-bit and RGB888 formats, through QImage::pixel
// otherwise).
T_Motion_Samples Motion_Samples(const QImage& picture);

// Collects the samples of a width x height 32-bit picture (0xAARRGGBB words) from its rows as they come,
// in any order, without the picture ever being whole in memory.
class Motion_Sampler {
public:
    Motion_Sampler(int width, int height);
    // Rows first .. first + count - 1, the row r at rows + (r - first) * stride bytes.
    void Rows(int first, int count, const unsigned char* rows, std::ptrdiff_t stride) noexcept;
    // The samples once every row has come.
    T_Motion_Samples Take() noexcept;

private:
    T_Sample_Grid grid_;
    T_Motion_Samples samples_;
};

// Compare_Bitmaps on the frames A (current) and B (previous) these samples were taken of.
double Compare_Samples(const T_Motion_Samples& A, const T_Motion_Samples& B, bool Low_Light) noexcept;
