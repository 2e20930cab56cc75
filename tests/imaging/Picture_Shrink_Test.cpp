#include "imaging/Picture_Shrink.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

// A picture whose every pixel differs from its neighbours, so any pixel taken from the wrong place shows.
QImage Numbered(QSize size, QImage::Format format = QImage::Format_RGB32)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x * 7 + y * 13) & 0xFF));
    return picture.convertToFormat(format);
}

// What an unsmoothed painter draws when it scales picture into a box of size.
QImage Painted(const QImage& picture, QSize size)
{
    QImage box(size, QImage::Format_RGB32);
    box.fill(Qt::black);
    QPainter painter(&box);
    painter.drawImage(QRect(QPoint(0, 0), size), picture);
    return box;
}

}  // namespace

// A picture handed over at the shown size must look as the box drew it scaled before, across the
// sizes the grid and the full screen use.
TEST(Picture_Shrink, GivesWhatThePainterDrewScaled)
{
    const struct {
        QSize from;
        QSize to;
    } rows[] = {
        {{160, 120}, {156, 116}},    {{480, 270}, {316, 236}}, {{1920, 1080}, {316, 236}}, {{640, 480}, {150, 100}},
        {{1920, 1080}, {1276, 957}}, {{641, 479}, {77, 3}},    {{2000, 100}, {1999, 99}},  {{7, 5}, {1, 1}}};
    for (const auto& row : rows) {
        const QImage picture = Numbered(row.from);
        const QImage shrunk = Shrink_Picture(picture, row.to);
        ASSERT_EQ(shrunk.size(), row.to);
        EXPECT_EQ(shrunk, Painted(picture, row.to))
            << row.from.width() << "x" << row.from.height() << " to " << row.to.width() << "x" << row.to.height();
    }
}

TEST(Picture_Shrink, ReusesOnlyAFreeBufferAndLeavesOtherFormatsToQt)
{
    const QImage picture = Numbered({64, 48});
    QImage buffer(32, 24, QImage::Format_RGB32);
    const uchar* const bits = buffer.constBits();
    QImage shrunk = Shrink_Picture(picture, {32, 24}, std::move(buffer));
    EXPECT_EQ(shrunk.constBits(), bits);
    const QImage held = shrunk;
    const QImage again = Shrink_Picture(picture, {32, 24}, std::move(shrunk));
    EXPECT_NE(again.constBits(), held.constBits());
    EXPECT_EQ(again, held);

    const QImage grey = Numbered({64, 48}, QImage::Format_Grayscale8);
    EXPECT_EQ(Shrink_Picture(grey, {32, 24}).size(), QSize(32, 24));
    EXPECT_EQ(Shrink_Picture(picture, {64, 48}).cacheKey(), picture.cacheKey());
}

TEST(Picture_Shrink, OnlyPicturesLargerInBothDirectionsShrink)
{
    EXPECT_TRUE(Shrinks_To({160, 120}, {156, 116}));
    EXPECT_TRUE(Shrinks_To({160, 120}, {160, 116}));
    EXPECT_FALSE(Shrinks_To({160, 120}, {160, 120}));
    EXPECT_FALSE(Shrinks_To({160, 120}, {161, 100}));
    EXPECT_FALSE(Shrinks_To({160, 120}, {0, 0}));
}
