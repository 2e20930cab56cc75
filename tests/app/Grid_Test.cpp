#include "Main_Window_Fixture.h"
#include "views/Camera_Grid.h"
#include "views/Slot_Look.h"
#include "widgets/Panel.h"
#include "widgets/Picture_Box.h"

#include <QProgressBar>

#include <QComboBox>
#include <QScrollArea>
#include <QTest>
#include <QTimer>

namespace {

QRect Panel_Rect(Main_Window_Probe& w, int slot)
{
    return w.Grid().Slot(slot).PNL_Cam->geometry();
}

TEST_F(Main_Window_Test, FourCamerasAt320x240)
{
    Main_Window_Probe& w = Start();
    w.CBX_Size_Pnl->setCurrentIndex(2);
    w.CBX_Nb_Cam->setCurrentIndex(3);
    EXPECT_EQ(w.Nb_Cam, 4);
    EXPECT_EQ(w.PNL_Cams->size(), QSize(652, 492));
    EXPECT_EQ(Panel_Rect(w, 1), QRect(3, 3, 320, 240));
    EXPECT_EQ(Panel_Rect(w, 2), QRect(326, 3, 320, 240));
    EXPECT_EQ(Panel_Rect(w, 3), QRect(3, 246, 320, 240));
    EXPECT_EQ(Panel_Rect(w, 4), QRect(326, 246, 320, 240));
    for (int slot = 1; slot <= 9; ++slot)
        EXPECT_EQ(w.Grid().Slot(slot).PNL_Cam->isVisibleTo(w.PNL_Cams), slot <= 4) << slot;
    // The inner panel fills the outer one inside its one-pixel frame; the animation takes the middle third.
    EXPECT_EQ(w.Grid().Slot(1).PNL_Status_Cam->geometry(), QRect(1, 1, 318, 238));
}

TEST_F(Main_Window_Test, NineCamerasAt640x480)
{
    Main_Window_Probe& w = Start();
    w.CBX_Size_Pnl->setCurrentIndex(3);
    w.CBX_Nb_Cam->setCurrentIndex(8);
    EXPECT_EQ(w.PNL_Cams->size(), QSize(1938, 1458));
    EXPECT_EQ(Panel_Rect(w, 9), QRect(3 + 2 * 643, 3 + 2 * 483, 640, 480));
}

struct Count_Case {
    int nb_cam;
    QSize cams_panel;  // at 160*120
    int columns;
};

class Grid_Counts : public Main_Window_Test, public ::testing::WithParamInterface<Count_Case> {};

TEST_P(Grid_Counts, LeavesTheRemainingCellsEmpty)
{
    Main_Window_Probe& w = Start();
    w.CBX_Size_Pnl->setCurrentIndex(1);
    w.CBX_Nb_Cam->setCurrentIndex(GetParam().nb_cam - 1);
    EXPECT_EQ(w.PNL_Cams->size(), GetParam().cams_panel);
    const int last = GetParam().nb_cam;
    const int columns = GetParam().columns;
    EXPECT_EQ(Panel_Rect(w, last).topLeft(), QPoint(3 + (last - 1) % columns * 163, 3 + (last - 1) / columns * 123));
    for (int slot = last + 1; slot <= 9; ++slot)
        EXPECT_FALSE(w.Grid().Slot(slot).PNL_Cam->isVisibleTo(w.PNL_Cams));
}

INSTANTIATE_TEST_SUITE_P(Rows, Grid_Counts,
                         ::testing::Values(Count_Case{1, QSize(166, 126), 1}, Count_Case{2, QSize(332, 126), 2},
                                           Count_Case{3, QSize(332, 252), 2}, Count_Case{5, QSize(498, 252), 3},
                                           Count_Case{7, QSize(498, 378), 3}, Count_Case{8, QSize(498, 378), 3}));

TEST_F(Main_Window_Test, HiddenSlotsKeepTheirSizeAndPlace)
{
    Main_Window_Probe& w = Start();
    w.CBX_Nb_Cam->setCurrentIndex(8);
    const QRect nine = Panel_Rect(w, 9);
    w.CBX_Nb_Cam->setCurrentIndex(0);
    w.CBX_Size_Pnl->setCurrentIndex(0);
    EXPECT_EQ(Panel_Rect(w, 9), nine);
    EXPECT_EQ(Panel_Rect(w, 1), QRect(3, 3, 80, 60));
}

TEST_F(Main_Window_Test, ASizeListWithoutChoiceGives40x30)
{
    Main_Window_Probe& w = Start();
    w.CBX_Size_Pnl->setCurrentIndex(-1);
    EXPECT_EQ(Panel_Rect(w, 1).size(), QSize(40, 30));
}

TEST_F(Main_Window_Test, ACountListWithoutChoiceHidesEveryPanel)
{
    Main_Window_Probe& w = Start();
    w.CBX_Nb_Cam->setCurrentIndex(3);
    const QSize before = w.PNL_Cams->size();
    w.CBX_Nb_Cam->setCurrentIndex(-1);
    EXPECT_EQ(w.Nb_Cam, 0);
    EXPECT_EQ(w.PNL_Cams->size(), before);
    EXPECT_EQ(w.CBX_N_Cam->count(), 0);
    for (int slot = 1; slot <= 9; ++slot)
        EXPECT_FALSE(w.Grid().Slot(slot).PNL_Cam->isVisibleTo(w.PNL_Cams));
}

TEST_F(Main_Window_Test, OnlyAFrameRateChangeRestartsTheRefreshTimer)
{
    Main_Window_Probe& w = Start();
    ASSERT_TRUE(w.TMR_Refresh_Cam->isActive());
    EXPECT_EQ(w.TMR_Refresh_Cam->interval(), 1000);
    QTest::qWait(300);
    // A count or size change leaves the running timer alone: its period goes on.
    w.CBX_Nb_Cam->setCurrentIndex(4);
    w.CBX_Size_Pnl->setCurrentIndex(1);
    EXPECT_LE(w.TMR_Refresh_Cam->remainingTime(), 800);

    // A frame-rate change restarts it with the new period.
    w.CBX_Frame_Rate->setCurrentIndex(8);
    EXPECT_TRUE(w.TMR_Refresh_Cam->isActive());
    EXPECT_EQ(w.TMR_Refresh_Cam->interval(), 2000);
    EXPECT_GT(w.TMR_Refresh_Cam->remainingTime(), 1800);
    EXPECT_EQ(w.Old_Frame_Rate, 8);
}

TEST_F(Main_Window_Test, GoingFromNineCamerasToFourKeepsTheCameraToSetWhenStillShown)
{
    Main_Window_Probe& w = Start();
    w.CBX_Nb_Cam->setCurrentIndex(8);
    w.CBX_N_Cam->setCurrentIndex(2);
    w.CBX_Nb_Cam->setCurrentIndex(3);
    EXPECT_EQ(w.CBX_N_Cam->count(), 4);
    EXPECT_EQ(w.CBX_N_Cam->currentIndex(), 2);
    // Camera 7 is not in a list of four: camera 1 becomes the camera to set.
    w.CBX_Nb_Cam->setCurrentIndex(8);
    w.CBX_N_Cam->setCurrentIndex(6);
    w.CBX_Nb_Cam->setCurrentIndex(3);
    EXPECT_EQ(w.CBX_N_Cam->currentIndex(), 0);
}

TEST_F(Main_Window_Test, SlotControlsCarryTheirNamesAndHints)
{
    Main_Window_Probe& w = Start();
    for (int slot = 1; slot <= 9; ++slot) {
        const QString n = QString::number(slot);
        for (const char* prefix :
             {"PNL_Cam", "PNL_Status_Cam", "IMG_Cam", "GIF_Cam", "LBL_Cam", "PGB_Detect_Cam", "IMG_Status_Rec"})
            EXPECT_NE(w.Window.findChild<QWidget*>(prefix + n), nullptr) << prefix << slot;
    }
    EXPECT_EQ(w.Grid().Slot(4).IMG_Cam->toolTip().count("\r\n"), 2);
    EXPECT_EQ(w.Grid().Slot(4).PGB_Detect_Cam->toolTip(), "% of live motion detection");
}

}  // namespace

// A new motion level is painted with the pass's pictures: drawing a slot repaints nothing at once (nine
// gauges repainting at once paint and flush the window nine times a pass), and the gauge is repainted once
// the event loop runs, showing the new value.
TEST(Camera_Grid_Gauge, ANewLevelIsPaintedWithThePassNotAtOnce)
{
    QWidget window;
    window.resize(400, 300);
    Camera_Grid grid(&window);
    grid.Place(2, 1);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QProgressBar* gauge = grid.Slot(1).PGB_Detect_Cam;
    T_Slot_View view;
    view.Look = Slot_Look::Live;
    view.Motion_Gauge = 30;
    grid.Show(1, view);
    QCoreApplication::processEvents();

    struct Paint_Counter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    gauge->installEventFilter(&counter);
    view.Motion_Gauge = 80;
    grid.Show(1, view);
    EXPECT_EQ(counter.paints, 0);
    EXPECT_TRUE(gauge->updatesEnabled());
    EXPECT_EQ(gauge->value(), 80);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, 2000));
    gauge->removeEventFilter(&counter);
}
