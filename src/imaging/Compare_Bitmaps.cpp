#include "imaging/Compare_Bitmaps.h"

#include <QImage>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

int Brightness(int red, int green, int blue) noexcept
{
    return static_cast<int>(0.299 * red + 0.587 * green + 0.114 * blue);
}

// First sampled column (or row) of a side: half the remainder of Side / Step, computed in
// floating point exactly as (frac(Side / Step) * Step) / 2 so that it matches the grid of
// other builds of this program; the inexact product may make it one lower than the integer
// remainder would.
int Grid_Offset(int side, int step) noexcept
{
    const double quotient = static_cast<double>(side) / step;
    const double fraction = quotient - std::trunc(quotient);
    return static_cast<int>(fraction * step / 2);
}

// Writes the brightness of picture's pixels on grid into samples (grid.Count values, in grid
// order) and returns their sum. Direct row reads for the formats the decoder and cameras give;
// QImage::pixel() for any other format.
std::int64_t Sample(const QImage& picture, const T_Sample_Grid& grid, int* samples)
{
    const int width = picture.width();
    const int height = picture.height();
    std::int64_t sum = 0;
    int n = 0;
    const auto visit = [&](auto read) {
        for (int x = grid.X0; x < width; x += grid.Step)
            for (int y = grid.Y0; y < height; y += grid.Step) {
                const int value = read(x, y);
                samples[n++] = value;
                sum += value;
            }
    };

    switch (picture.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        visit([&picture](int x, int y) {
            const QRgb colour = reinterpret_cast<const QRgb*>(picture.constScanLine(y))[x];
            return Brightness(qRed(colour), qGreen(colour), qBlue(colour));
        });
        break;
    case QImage::Format_RGB888:
        visit([&picture](int x, int y) {
            const uchar* pixel = picture.constScanLine(y) + 3 * static_cast<std::ptrdiff_t>(x);
            return Brightness(pixel[0], pixel[1], pixel[2]);
        });
        break;
    default:
        visit([&picture](int x, int y) {
            const QRgb colour = picture.pixel(x, y);
            return Brightness(qRed(colour), qGreen(colour), qBlue(colour));
        });
        break;
    }
    return sum;
}

}  // namespace

T_Sample_Grid Sample_Grid(int Width, int Height) noexcept
{
    T_Sample_Grid grid;
    int pixels = 0;
    if (Width <= 0 || Height <= 0 || __builtin_mul_overflow(Width, Height, &pixels))
        return grid;

    const double root = std::sqrt(static_cast<double>(pixels) / 1000.0);
    const double whole = std::trunc(root);
    grid.Step = root == whole ? static_cast<int>(whole) : static_cast<int>(whole) + 1;
    grid.X0 = Grid_Offset(Width, grid.Step);
    grid.Y0 = Grid_Offset(Height, grid.Step);
    grid.Columns = (Width - grid.X0 + grid.Step - 1) / grid.Step;
    grid.Rows = (Height - grid.Y0 + grid.Step - 1) / grid.Step;
    grid.Count = grid.Columns * grid.Rows;
    return grid;
}

double Compare_Bitmaps(const QImage* A, const QImage* B, bool Low_Light) noexcept
{
    try {
        if (A == nullptr || B == nullptr || A->isNull() || B->isNull())
            return 0;
        const T_Sample_Grid grid_b = Sample_Grid(B->width(), B->height());
        const T_Sample_Grid grid_a = Sample_Grid(A->width(), A->height());
        const int n = grid_b.Count;
        if (n == 0 || n != grid_a.Count)
            return 0;

        std::vector<int> samples(2 * static_cast<std::size_t>(n));
        int* const b = samples.data();
        int* const a = b + n;
        const double mean_b = static_cast<double>(Sample(*B, grid_b, b)) / n;
        const double mean_a = static_cast<double>(Sample(*A, grid_a, a)) / n;

        double cov = 0;
        double var_a = 0;
        double var_b = 0;
        for (int i = 0; i < n; ++i) {
            const double da = a[i] - mean_a;
            const double db = b[i] - mean_b;
            cov += db * da;
            var_a += da * da;
            var_b += db * db;
        }
        if (var_a == 0 || var_b == 0)  // a frame of a single brightness: no correlation
            return 0;

        // r = cov / (sd_b * sd_a), with the square root taken once: sqrt(v * v) is exactly v in
        // floating point, so identical frames give exactly r = 1 and the level exactly 0.
        const double r = cov / std::sqrt(var_b * var_a);
        double level = (1 - r) * 100 * 5;
        if (Low_Light && mean_b < 50 && mean_a < 50)
            level = level / 5;
        if (!(level > 0))  // also catches NaN
            return 0;
        return level > 100 ? 100 : level;
    } catch (...) {
        return 0;
    }
}

double Compare_Bitmaps(const QImage& A, const QImage& B, bool Low_Light) noexcept
{
    return Compare_Bitmaps(&A, &B, Low_Light);
}
