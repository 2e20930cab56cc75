#include "imaging/Compare_Bitmaps.h"

#include <QImage>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numeric>
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

int Brightness(QRgb colour) noexcept
{
    return Brightness(qRed(colour), qGreen(colour), qBlue(colour));
}

// Writes the brightness of picture's pixels on grid into samples (grid.Count values, in grid
// order). Direct row reads for the formats the decoder and cameras give; QImage::pixel() for any
// other format.
void Sample(const QImage& picture, const T_Sample_Grid& grid, int* samples)
{
    const int width = picture.width();
    const int height = picture.height();
    int n = 0;
    const auto visit = [&](auto read) {
        for (int x = grid.X0; x < width; x += grid.Step)
            for (int y = grid.Y0; y < height; y += grid.Step)
                samples[n++] = read(x, y);
    };

    switch (picture.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        visit([&picture](int x, int y) {
            return Brightness(reinterpret_cast<const QRgb*>(picture.constScanLine(y))[x]);
        });
        break;
    case QImage::Format_RGB888:
        visit([&picture](int x, int y) {
            const uchar* pixel = picture.constScanLine(y) + 3 * static_cast<std::ptrdiff_t>(x);
            return Brightness(pixel[0], pixel[1], pixel[2]);
        });
        break;
    default: visit([&picture](int x, int y) { return Brightness(picture.pixel(x, y)); }); break;
    }
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

T_Motion_Samples Motion_Samples(const QImage& picture)
{
    T_Motion_Samples samples;
    const T_Sample_Grid grid = Sample_Grid(picture.width(), picture.height());
    if (grid.Count == 0)
        return samples;
    samples.Values.resize(static_cast<std::size_t>(grid.Count));
    Sample(picture, grid, samples.Values.data());
    return samples;
}

Motion_Sampler::Motion_Sampler(int width, int height) : grid_(Sample_Grid(width, height))
{
    samples_.Values.assign(static_cast<std::size_t>(grid_.Count), 0);
}

void Motion_Sampler::Rows(int first, int count, const unsigned char* rows, std::ptrdiff_t stride) noexcept
{
    if (grid_.Count == 0)
        return;
    int r = first <= grid_.Y0 ? 0 : (first - grid_.Y0 + grid_.Step - 1) / grid_.Step;
    for (; r < grid_.Rows; ++r) {
        const int y = grid_.Y0 + r * grid_.Step;
        if (y >= first + count)
            break;
        const auto* row = reinterpret_cast<const QRgb*>(rows + static_cast<std::ptrdiff_t>(y - first) * stride);
        for (int c = 0; c < grid_.Columns; ++c)
            samples_.Values[static_cast<std::size_t>(c) * static_cast<std::size_t>(grid_.Rows) +
                            static_cast<std::size_t>(r)] = Brightness(row[grid_.X0 + c * grid_.Step]);
    }
}

T_Motion_Samples Motion_Sampler::Take() noexcept
{
    return std::move(samples_);
}

double Compare_Samples(const T_Motion_Samples& A, const T_Motion_Samples& B, bool Low_Light) noexcept
{
    const std::size_t n = B.Values.size();
    if (n == 0 || n != A.Values.size())
        return 0;
    const int* const b = B.Values.data();
    const int* const a = A.Values.data();
    const auto mean = [n](const std::vector<int>& values) {
        return static_cast<double>(std::accumulate(values.begin(), values.end(), std::int64_t{0})) /
               static_cast<double>(n);
    };
    const double mean_b = mean(B.Values);
    const double mean_a = mean(A.Values);

    double cov = 0;
    double var_a = 0;
    double var_b = 0;
    for (std::size_t i = 0; i < n; ++i) {
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
}

double Compare_Bitmaps(const QImage* A, const QImage* B, bool Low_Light) noexcept
{
    try {
        if (A == nullptr || B == nullptr || A->isNull() || B->isNull())
            return 0;
        return Compare_Samples(Motion_Samples(*A), Motion_Samples(*B), Low_Light);
    } catch (...) {
        return 0;
    }
}

double Compare_Bitmaps(const QImage& A, const QImage& B, bool Low_Light) noexcept
{
    return Compare_Bitmaps(&A, &B, Low_Light);
}
