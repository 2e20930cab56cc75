#include "views/Zoom_Math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using namespace Zoom_Math;

TEST(Zoom_Math, MinusStopsAtTheFloor)
{
    double zoom = 1.0;
    for (int i = 0; i < 4; ++i)
        zoom = Zoom_Moins(zoom);
    EXPECT_EQ(zoom, 0.20000000000000007) << "four steps down from 1.0 stay just above the floor";
    zoom = Zoom_Moins(zoom);
    EXPECT_EQ(zoom, 0.2);
    EXPECT_EQ(Zoom_Moins(zoom), 0.2);
    EXPECT_EQ(Bar_Position(0.2), 0);
}

TEST(Zoom_Math, PlusHasNoUpperLimitAndTheBarStopsAtTwenty)
{
    double zoom = 1.0;
    for (int i = 0; i < 50; ++i)
        zoom = Zoom_Plus(zoom);
    EXPECT_EQ(zoom, 10.999999999999993);
    EXPECT_EQ(Bar_Position(zoom), 20);
    EXPECT_EQ(Bar_Position(1e300), 20);
    EXPECT_EQ(Bar_Position(std::numeric_limits<double>::infinity()), 20);
}

TEST(Zoom_Math, BarPositionsAndTheirZooms)
{
    EXPECT_NEAR(Zoom_From_Bar(2), 1.17998, 1e-5);
    EXPECT_NEAR(Zoom_From_Bar(20), 10.00005, 1e-5);
    EXPECT_EQ(Zoom_From_Bar(0), 0.2) << "0.19997 is raised to the floor";
    EXPECT_EQ(Bar_Position(1.0), 2);
    // Each position maps back onto itself.
    for (int position = 1; position <= 20; ++position)
        EXPECT_EQ(Bar_Position(Zoom_From_Bar(position)), position) << position;
}

TEST(Zoom_Math, RoundGoesHalfToEvenAndTruncTowardZero)
{
    struct Row {
        double value;
        int round;
        int trunc;
    };
    const std::vector<Row> rows = {
        {2.5, 2, 2},
        {3.5, 4, 3},
        {-2.5, -2, -2},
        {-0.5, 0, 0},
        {0.5, 0, 0},
        {1.4999, 1, 1},
        {2.5000001, 3, 2},
        {-1.9, -2, -1},
        {1.9, 2, 1},
        {1e20, std::numeric_limits<int>::max(), std::numeric_limits<int>::max()},
        {-1e20, std::numeric_limits<int>::min(), std::numeric_limits<int>::min()},
        {std::nan(""), 0, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Round(row.value), row.round) << row.value;
        EXPECT_EQ(Trunc(row.value), row.trunc) << row.value;
    }
}

TEST(Zoom_Math, PictureBounds)
{
    struct Row {
        const char* name;
        int base_width;
        int base_height;
        Zoom_State state;
        Bounds expected;
    };
    const std::vector<Row> rows = {
        {"zoom 1 fills", 800, 600, {1.0, 0, 0}, {0, 0, 800, 600}},
        {"zoom 2 stays centred", 800, 600, {2.0, 0, 0}, {-400, -300, 1600, 1200}},
        {"below 1 smaller and centred", 800, 600, {0.2, 0, 0}, {320, 240, 160, 120}},
        {"positive offsets show the right and lower parts", 800, 600, {1.0, 1000, 50}, {-1000, -50, 800, 600}},
        {"negative offsets", 800, 600, {1.0, -100, -200}, {100, 200, 800, 600}},
        {"size truncated", 801, 601, {1.1, 0, 0}, {-40, -30, 881, 661}},
        {"halving in real arithmetic", 8, 8, {1.125, 0.6, 0}, {-1, 0, 9, 9}},
        {"left truncated toward zero", 801, 600, {0.5, 0, 0}, {200, 150, 400, 300}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Picture_Bounds(row.base_width, row.base_height, row.state), row.expected) << row.name;
}

}  // namespace
