#include "Imaging_Test_Pictures.h"
#include "imaging/Compare_Bitmaps.h"

#include <QImage>
#include <QTransform>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// ---- Sampling grid ---------------------------------------------------------------------------

struct Grid_Row {
    std::string name;
    int width;
    int height;
    int step;   // 0: no grid
    int count;  // -1: only checked for consistency
};

class Sample_Grid_Test : public ::testing::TestWithParam<Grid_Row> {};

TEST_P(Sample_Grid_Test, StepAndCount)
{
    const Grid_Row& row = GetParam();
    const T_Sample_Grid grid = Sample_Grid(row.width, row.height);
    EXPECT_EQ(grid.Step, row.step);
    if (row.count >= 0) {
        EXPECT_EQ(grid.Count, row.count);
    }
    if (row.step == 0) {
        EXPECT_EQ(grid.Count, 0);
        return;
    }
    // The grid is centred: the first column is half the leftover of width / step (or one
    // less through rounding), and the last column still lies inside the picture.
    const int half_x = (row.width % grid.Step) / 2;
    const int half_y = (row.height % grid.Step) / 2;
    EXPECT_TRUE(grid.X0 == half_x || grid.X0 == half_x - 1) << grid.X0;
    EXPECT_TRUE(grid.Y0 == half_y || grid.Y0 == half_y - 1) << grid.Y0;
    EXPECT_LT(grid.X0 + (grid.Columns - 1) * grid.Step, row.width);
    EXPECT_GE(grid.X0 + grid.Columns * grid.Step, row.width);
    EXPECT_LT(grid.Y0 + (grid.Rows - 1) * grid.Step, row.height);
    EXPECT_GE(grid.Y0 + grid.Rows * grid.Step, row.height);
    EXPECT_EQ(grid.Count, grid.Columns * grid.Rows);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, Sample_Grid_Test,
    ::testing::Values(Grid_Row{"Camera_640x480", 640, 480, 18, 972}, Grid_Row{"Camera_320x240", 320, 240, 9, 972},
                      Grid_Row{"Full_HD", 1920, 1080, 46, 1008},
                      Grid_Row{"Fewer_Than_1000_Pixels_Every_Pixel", 29, 34, 1, 29 * 34},
                      Grid_Row{"Single_Pixel", 1, 1, 1, 1}, Grid_Row{"Exactly_1000_Pixels", 40, 25, 1, 1000},
                      Grid_Row{"Whole_Root_Kept", 100, 40, 2, 1000},
                      Grid_Row{"Root_Just_Above_Whole_Rounds_Up", 1001, 1, 2, 501},
                      Grid_Row{"One_Long_Row", 100000, 1, 10, 10000},
                      Grid_Row{"Largest_Pixel_Count_That_Fits", 46340, 46340, 1466, -1},
                      Grid_Row{"Pixel_Count_Overflows", 65536, 65536, 0, 0}, Grid_Row{"Zero_Width", 0, 480, 0, 0},
                      Grid_Row{"Zero_Height", 640, 0, 0, 0}, Grid_Row{"Negative_Side", -640, 480, 0, 0}),
    [](const auto& row) { return row.param.name; });

// ---- Levels from whole frames ------------------------------------------------------------------

QImage Uniform(int width, int height, QRgb colour)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

QImage Negative(const QImage& picture)
{
    QImage result = picture.copy();
    result.invertPixels();
    return result;
}

QImage Smooth_Scene(int width, int height)
{
    return Scene_Picture(width, height, 1, 0);
}

struct Frames_Row {
    std::string name;
    std::function<QImage()> a;
    std::function<QImage()> b;
    double level_min;
    double level_max;
};

class Compare_Frames_Test : public ::testing::TestWithParam<Frames_Row> {};

TEST_P(Compare_Frames_Test, Level)
{
    const Frames_Row& row = GetParam();
    const QImage a = row.a();
    const QImage b = row.b();
    for (bool low_light : {false, true}) {
        const double level = Compare_Bitmaps(&a, &b, low_light);
        EXPECT_GE(level, row.level_min) << "Low_Light " << low_light;
        EXPECT_LE(level, row.level_max) << "Low_Light " << low_light;
    }
}

const QImage Busy = Scene_Picture(640, 480);

INSTANTIATE_TEST_SUITE_P(
    Frames, Compare_Frames_Test,
    ::testing::Values(Frames_Row{"Identical_Frames", [] { return Busy; }, [] { return Busy.copy(); }, 0, 0},
                      Frames_Row{"Negative_Clamped", [] { return Busy; }, [] { return Negative(Busy); }, 100, 100},
                      Frames_Row{"Black_Current_Frame", [] { return Uniform(640, 480, qRgb(0, 0, 0)); },
                                 [] { return Busy; }, 0, 0},
                      Frames_Row{"Grey_Previous_Frame", [] { return Busy; },
                                 [] { return Uniform(640, 480, qRgb(128, 128, 128)); }, 0, 0},
                      Frames_Row{"Different_Sizes", [] { return Busy; }, [] { return Scene_Picture(800, 600); }, 0, 0},
                      Frames_Row{"Same_Count_From_Other_Size_Is_Compared", [] { return Smooth_Scene(640, 480); },
                                 [] { return Smooth_Scene(320, 240); }, 0.001, 10},
                      Frames_Row{"Unrelated_Noise", [] { return Scene_Picture(64, 48, 1, 120); },
                                 [] { return Scene_Picture(64, 48, 2, 120); }, 100, 100},
                      Frames_Row{"Empty_Current_Frame", [] { return QImage(); }, [] { return Busy; }, 0, 0},
                      Frames_Row{"Empty_Previous_Frame", [] { return Busy; }, [] { return QImage(); }, 0, 0},
                      Frames_Row{"Both_Empty", [] { return QImage(); }, [] { return QImage(); }, 0, 0}),
    [](const auto& row) { return row.param.name; });

TEST(Compare_Bitmaps, IdenticalFramesGiveExactlyZero)
{
    // Exactly 0, not a rounding residue: a threshold of 0 must still see "no motion" as 0.
    for (const QSize size : {QSize(640, 480), QSize(320, 240), QSize(1920, 1080), QSize(33, 17), QSize(1001, 3)})
        for (std::uint32_t seed = 1; seed <= 5; ++seed) {
            const QImage frame = Scene_Picture(size.width(), size.height(), seed, 40);
            EXPECT_EQ(Compare_Bitmaps(frame, frame.copy(), false), 0.0) << size.width() << "x" << size.height();
        }
}

TEST(Compare_Bitmaps, MissingFramesGiveZero)
{
    EXPECT_EQ(Compare_Bitmaps(nullptr, &Busy, false), 0);
    EXPECT_EQ(Compare_Bitmaps(&Busy, nullptr, false), 0);
    EXPECT_EQ(Compare_Bitmaps(nullptr, nullptr, true), 0);
}

TEST(Compare_Bitmaps, PairsSamplesColumnByColumn)
{
    // A 40x20 frame and a 20x40 frame both give 800 samples (every pixel). B holds A's pixels laid
    // out so that reading both column by column gives the same list: level 0. Any other reading
    // order pairs unrelated pixels.
    const QImage a = Scene_Picture(40, 20, 3, 60);
    QImage b(20, 40, QImage::Format_RGB32);
    for (int i = 0; i < 800; ++i)
        b.setPixel(i / 40, i % 40, a.pixel(i / 20, i % 20));
    EXPECT_EQ(Compare_Bitmaps(&a, &b, false), 0);
    const QImage rotated = a.transformed(QTransform().rotate(90));
    EXPECT_GT(Compare_Bitmaps(&a, &rotated, false), 10) << "the same pixels in another order are a different picture";
}

// ---- Known correlations ------------------------------------------------------------------------
//
// Two-valued frames of n = 2m pixels (fewer than 1000, so every pixel is sampled): m pixels of one
// grey and m of another, in grid order. B is A with k low/high pairs swapped, so both frames have
// the same mean and variance, and r = 1 - 2k/m exactly, whichever two greys are used.

QImage Two_Valued(int m, int swapped, int low_grey, int high_grey)
{
    const int height = 2;
    const int width = m;  // 2m pixels, column by column
    QImage picture(width, height, QImage::Format_RGB32);
    for (int i = 0; i < 2 * m; ++i) {
        bool high = i < m;
        for (int j = 0; j < swapped; ++j)
            if (i == m - 1 - j || i == m + j)
                high = !high;
        const int grey = high ? high_grey : low_grey;
        picture.setPixel(i / height, i % height, qRgb(grey, grey, grey));
    }
    return picture;
}

struct Correlation_Row {
    std::string name;
    int m;
    int swapped;
    double level;
};

class Known_Correlation_Test : public ::testing::TestWithParam<Correlation_Row> {};

TEST_P(Known_Correlation_Test, LevelIsFiveHundredTimesOneMinusR)
{
    const Correlation_Row& row = GetParam();
    const QImage a = Two_Valued(row.m, 0, 0, 250);
    const QImage b = Two_Valued(row.m, row.swapped, 0, 250);
    EXPECT_NEAR(Compare_Bitmaps(&a, &b, false), row.level, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Correlations, Known_Correlation_Test,
                         ::testing::Values(Correlation_Row{"R_0_98_Gives_10", 100, 1, 10},
                                           Correlation_Row{"R_0_95_Gives_25", 40, 1, 25},
                                           Correlation_Row{"R_0_9_Gives_50", 20, 1, 50},
                                           Correlation_Row{"R_0_8_Gives_100", 10, 1, 100},
                                           Correlation_Row{"R_0_7_Clamped_To_100", 20, 3, 100}),
                         [](const auto& row) { return row.param.name; });

// ---- Low light -----------------------------------------------------------------------------------

struct Low_Light_Row {
    std::string name;
    int a_low, a_high;  // greys of A (mean is their average)
    int b_low, b_high;
    bool divided;
};

class Low_Light_Test : public ::testing::TestWithParam<Low_Light_Row> {};

TEST_P(Low_Light_Test, DividesOnlyWhenBothFramesAreDark)
{
    const Low_Light_Row& row = GetParam();
    const QImage a = Two_Valued(20, 0, row.a_low, row.a_high);
    const QImage b = Two_Valued(20, 1, row.b_low, row.b_high);
    EXPECT_NEAR(Compare_Bitmaps(&a, &b, false), 50, 1e-9);
    EXPECT_NEAR(Compare_Bitmaps(&a, &b, true), row.divided ? 10 : 50, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Means, Low_Light_Test,
                         ::testing::Values(Low_Light_Row{"Both_Dark", 0, 40, 0, 40, true},
                                           Low_Light_Row{"Both_Just_Below_50", 0, 98, 0, 98, true},
                                           Low_Light_Row{"Both_At_50_Is_Not_Dark", 0, 100, 0, 100, false},
                                           Low_Light_Row{"Only_Current_Dark", 0, 40, 200, 250, false},
                                           Low_Light_Row{"Only_Previous_Dark", 200, 250, 0, 40, false},
                                           Low_Light_Row{"Both_Bright", 200, 250, 100, 200, false}),
                         [](const auto& row) { return row.param.name; });

// ---- Pixel formats -------------------------------------------------------------------------------

struct Format_Row {
    std::string name;
    QImage::Format format;
};

class Pixel_Format_Test : public ::testing::TestWithParam<Format_Row> {};

TEST_P(Pixel_Format_Test, SameLevelAsRgb32)
{
    // A moderate level (neither 0 nor clamped) so that any misread channel shows.
    const QImage a = Scene_Picture(640, 480, 1, 30);
    const QImage b = Scene_Picture(640, 480, 2, 30);
    const double reference = Compare_Bitmaps(&a, &b, false);
    ASSERT_GT(reference, 1);
    ASSERT_LT(reference, 99);

    const QImage a_converted = a.convertToFormat(GetParam().format);
    const QImage b_converted = b.convertToFormat(GetParam().format);
    EXPECT_DOUBLE_EQ(Compare_Bitmaps(&a_converted, &b_converted, false), reference);
    EXPECT_DOUBLE_EQ(Compare_Bitmaps(&a_converted, &b, false), reference);
    EXPECT_DOUBLE_EQ(Compare_Bitmaps(a, b_converted, false), reference);
}

INSTANTIATE_TEST_SUITE_P(Formats, Pixel_Format_Test,
                         ::testing::Values(Format_Row{"Argb32", QImage::Format_ARGB32},
                                           Format_Row{"Rgb888", QImage::Format_RGB888},
                                           Format_Row{"Bgr888", QImage::Format_BGR888},
                                           Format_Row{"Rgbx8888", QImage::Format_RGBX8888},
                                           Format_Row{"Argb32_Premultiplied", QImage::Format_ARGB32_Premultiplied}),
                         [](const auto& row) { return row.param.name; });

}  // namespace
