#include "support/Temp_Dir.h"
#include "widgets/Busy_Animation.h"
#include "widgets/Icons.h"
#include "widgets/Panel.h"
#include "widgets/Picture_Box.h"

#include <QFileInfo>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(Busy_Animation, FrameAdvancesOnlyWhileAnimatingAndVisible)
{
    struct Row {
        const char* name;
        bool animate;
        bool self_visible;
        bool parent_visible;
        bool advances;
    };
    const Row rows[] = {
        {"animating and shown", true, true, true, true},
        {"not animating", false, true, true, false},
        {"animating but hidden", true, false, true, false},
        {"animating in a hidden parent", true, true, false, false},
    };
    for (const Row& row : rows) {
        QWidget window;
        window.resize(100, 100);
        auto* animation = new Busy_Animation(&window);
        animation->setGeometry(10, 10, 40, 40);
        animation->setVisible(row.self_visible);
        animation->Set_Animate(row.animate);
        if (row.parent_visible)
            window.show();
        QTest::qWait(4 * Busy_Animation::Frame_Interval_Ms);
        EXPECT_EQ(animation->Frame() != 0, row.advances) << row.name;
        EXPECT_EQ(animation->Running(), row.advances) << row.name;
    }
}

TEST(Busy_Animation, HidingStopsTheTimerAndShowingRestartsIt)
{
    QWidget window;
    auto* animation = new Busy_Animation(&window);
    animation->Set_Animate(true);
    window.show();
    EXPECT_TRUE(animation->Running());
    window.hide();
    EXPECT_FALSE(animation->Running());
    const int frozen = animation->Frame();
    QTest::qWait(3 * Busy_Animation::Frame_Interval_Ms);
    EXPECT_EQ(animation->Frame(), frozen);
    window.show();
    EXPECT_TRUE(animation->Running());
    animation->Set_Animate(false);
    EXPECT_FALSE(animation->Running());
}

// A 4 x 4 picture made of four 2 x 2 quadrants of distinct colours.
QImage Quadrants()
{
    QImage image(4, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y,
                           y < 2 ? (x < 2 ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                                 : (x < 2 ? qRgb(0, 0, 255) : qRgb(255, 255, 0)));
    return image;
}

TEST(Picture_Box, PaintsThePictureStretchedToItsBounds)
{
    Panel parent;
    parent.Set_Color(Qt::magenta);
    parent.resize(220, 120);
    auto* box = new Picture_Box(&parent);
    box->setGeometry(10, 10, 200, 100);
    box->Set_Picture(Quadrants());
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));

    const QImage shot = box->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(200, 100));
    struct Probe {
        const char* name;
        QPoint at;
        QRgb expected;
    };
    const Probe probes[] = {
        {"top-left", {0, 0}, qRgb(255, 0, 0)},
        {"top-right", {199, 0}, qRgb(0, 255, 0)},
        {"bottom-left", {0, 99}, qRgb(0, 0, 255)},
        {"bottom-right", {199, 99}, qRgb(255, 255, 0)},
        {"last pixel of the first quadrant", {99, 49}, qRgb(255, 0, 0)},
        {"first pixel of the last quadrant", {100, 50}, qRgb(255, 255, 0)},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(shot.pixel(p.at) & 0xFFFFFF, p.expected & 0xFFFFFF) << p.name;
}

TEST(Picture_Box, EmptyBoxLetsTheParentShowThrough)
{
    Panel parent;
    parent.Set_Color(Qt::magenta);
    parent.resize(100, 100);
    auto* box = new Picture_Box(&parent);
    box->setGeometry(10, 10, 50, 50);
    box->Set_Picture(Quadrants());
    box->Clear();
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    EXPECT_FALSE(box->testAttribute(Qt::WA_OpaquePaintEvent));
    const QImage shot = parent.grab(QRect(10, 10, 50, 50)).toImage();
    EXPECT_EQ(shot.pixel(25, 25) & 0xFFFFFF, QColor(Qt::magenta).rgb() & 0xFFFFFF);
}

TEST(Icons, AppIconFilesAreWrittenAtEachSize)
{
    Temp_Dir dir;
    const std::array<int, 3> sizes{16, 48, 256};
    ASSERT_TRUE(Icons::Write_App_Icon_Pngs(QString::fromStdString(dir.Path()), sizes));
    for (int size : sizes) {
        const QString file =
            QStringLiteral("%1/%2x%2/apps/tambrel.png").arg(QString::fromStdString(dir.Path())).arg(size);
        const QImage read(file);
        EXPECT_EQ(read.size(), QSize(size, size)) << file.toStdString();
    }
    EXPECT_FALSE(Icons::Write_App_Icon_Png(QString::fromStdString(dir.File("missing/folder/x.png")), 32));
}

TEST(Icons, RecordIconsAreDistinct24By24Pictures)
{
    const QImage icons[] = {Icons::Image_Mod_NoRec(), Icons::Image_Mod_Rec(), Icons::Image_Mod_RecDet(),
                            Icons::Image_Mod_NoRec_Timer()};
    for (std::size_t i = 0; i < std::size(icons); ++i) {
        EXPECT_EQ(icons[i].size(), QSize(24, 24)) << i;
        for (std::size_t j = i + 1; j < std::size(icons); ++j)
            EXPECT_NE(icons[i], icons[j]) << i << " and " << j << " look the same";
    }
}

}  // namespace
