#include "recording/Snapshot_Caption.h"
#include "recording/Snapshot_Texts.h"

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

const Local_Date_Time Example_Time{2015, 12, 12, 14, 3, 7, 45};
constexpr int Dots_Per_Meter_96_Dpi = 3780;

QImage Filled(int width, int height, QRgb colour)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    picture.setDotsPerMeterX(Dots_Per_Meter_96_Dpi);
    picture.setDotsPerMeterY(Dots_Per_Meter_96_Dpi);
    return picture;
}

bool White_Ish(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) > 200;
}

// Bounding box of the white-ish pixels; empty when there is none.
QRect White_Box(const QImage& picture)
{
    QRect box;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (White_Ish(picture.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

struct Position_Case {
    const char* Name;
    QSize Picture;
    int Sample_Height;
    int Sample_Width;
    QPoint Expected;
};

// Test names in failure messages instead of the case's bytes.
void PrintTo(const Position_Case& c, std::ostream* out)
{
    *out << c.Name;
}

class Caption_Position_Cases : public ::testing::TestWithParam<Position_Case> {};

TEST_P(Caption_Position_Cases, BottomEdgeCentredOnTheWidthSample)
{
    const Position_Case& c = GetParam();
    EXPECT_EQ(Caption_Position(c.Picture, c.Sample_Height, c.Sample_Width), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, Caption_Position_Cases,
                         ::testing::Values(Position_Case{"vga", {640, 480}, 16, 301, {170, 464}},
                                           Position_Case{"narrower_than_caption", {80, 60}, 16, 300, {-110, 44}},
                                           Position_Case{"odd_sizes_narrower", {81, 60}, 16, 301, {-110, 44}},
                                           Position_Case{"lower_than_caption", {80, 10}, 16, 300, {-110, -6}}),
                         [](const auto& row) { return std::string(row.param.Name); });

TEST(Draw_Caption, WhiteTextAtTheBottomCentredOnTheWiderSample)
{
    QImage picture = Filled(640, 480, qRgb(20, 30, 40));
    Draw_Caption(picture, "CAM1", Example_Time);

    const QFontMetrics metrics(Caption_Font(), &picture);
    const int cell_height = metrics.height();
    const int sample_width = metrics.horizontalAdvance(QString::fromStdString(Caption_Width_Sample("CAM1")));
    const int caption_width = metrics.horizontalAdvance(QString::fromStdString(Caption_Text("CAM1", Example_Time)));
    const QPoint cell = Caption_Position(picture.size(), cell_height, sample_width);

    const QRect box = White_Box(picture);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_GE(box.top(), cell.y());
    EXPECT_LE(box.bottom(), 479);
    EXPECT_GE(box.left(), cell.x());
    EXPECT_LE(box.left(), cell.x() + 3);
    EXPECT_LE(box.right(), cell.x() + caption_width);
    // Centred on a text one "(" wider: the caption's middle lies left of the picture's.
    const int middle = (box.left() + box.right()) / 2;
    EXPECT_LT(middle, 320);
    EXPECT_GT(middle, 320 - 12);
}

TEST(Draw_Caption, NarrowPictureShowsOnlyTheMiddleOfTheCaption)
{
    QImage picture = Filled(80, 60, qRgb(0, 0, 0));
    Draw_Caption(picture, "CAM1", Example_Time);
    const QRect box = White_Box(picture);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_LE(box.left(), 3) << "the caption starts left of the picture";
    EXPECT_GE(box.right(), 76) << "and ends right of it";
    EXPECT_GE(box.top(), 60 - 30);
}

TEST(Draw_Caption, NoBackgroundBehindTheText)
{
    const QRgb grey = qRgb(100, 110, 120);
    QImage picture = Filled(640, 480, grey);
    Draw_Caption(picture, "CAM1", Example_Time);
    const QRect box = White_Box(picture);
    ASSERT_FALSE(box.isEmpty());
    int untouched = 0;
    int darker = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            untouched += pixel == grey;
            darker += qRed(pixel) < qRed(grey);
        }
    EXPECT_GT(untouched, box.width() * box.height() / 3);
    EXPECT_EQ(darker, 0);
}

TEST(Draw_Caption, NullPictureIsLeftAlone)
{
    QImage picture;
    Draw_Caption(picture, "CAM1", Example_Time);
    EXPECT_TRUE(picture.isNull());
}

}  // namespace
