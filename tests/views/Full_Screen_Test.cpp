#include "views/UF_Full_Screen.h"

#include "control/Ptz_Command.h"
#include "control/Ptz_Panel.h"
#include "views/Zoom_Math.h"
#include "widgets/Busy_Animation.h"
#include "widgets/Caption_Panel.h"
#include "widgets/Panel.h"
#include "widgets/Picture_Box.h"
#include "widgets/Repeat_Button.h"
#include "widgets/Two_State_Switch.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Call {
    Ptz_Command command;
    bool set_mode;
};

class Full_Screen : public ::testing::Test {
protected:
    TF_Full_Screen window;
    T_Full_Screen_Places places{40, 50, 60, 70};
    std::vector<T_Full_Screen_Places> stored;
    std::vector<Call> calls;

    void SetUp() override
    {
        T_Full_Screen_Host& host = window.F_Main;
        host.Alias_Of = [](int slot) { return slot == 3 ? std::string(" Porch ") : "CAM" + std::to_string(slot); };
        host.Read_Places = [this] { return places; };
        host.Store_Places = [this](const T_Full_Screen_Places& p) { stored.push_back(p); };
        host.Ptz_Command_Click = [this](const Ptz_Command& command, bool set) { calls.push_back({command, set}); };
        window.N_Cam = 3;
        Open();
    }

    void Open()
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // What the refresh pass leaves after mirroring a live camera: the picture shown, the animation
    // box in place (hidden by a live pass; shown here so clicks can reach it).
    void Mirror_Live()
    {
        window.PNL_Status_Cam->show();
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        window.IMG_Cam->Set_Picture(picture);
        window.IMG_Cam->show();
        window.GIF_Cam->setGeometry(100, 100, 120, 90);
        window.GIF_Cam->show();
    }

    QRect Filled() const { return window.PNL_Status_Cam->rect(); }
    QRect Zoomed(const Zoom_Math::Zoom_State& state) const
    {
        const Zoom_Math::Bounds b = Zoom_Math::Picture_Bounds(Filled().width(), Filled().height(), state);
        return {b.Left, b.Top, b.Width, b.Height};
    }

    void Click(QWidget* control, Qt::MouseButton button = Qt::LeftButton, QPoint at = QPoint(5, 5))
    {
        QTest::mouseClick(control, button, {}, at);
    }

    QPoint Bar_Handle_Centre() const
    {
        QStyleOptionSlider option;
        option.initFrom(window.TKB_Zoom);
        option.orientation = Qt::Vertical;
        option.minimum = window.TKB_Zoom->minimum();
        option.maximum = window.TKB_Zoom->maximum();
        option.sliderPosition = window.TKB_Zoom->sliderPosition();
        option.sliderValue = window.TKB_Zoom->value();
        option.tickPosition = window.TKB_Zoom->tickPosition();
        option.upsideDown = true;  // vertical sliders have their minimum at the bottom
        return window.TKB_Zoom->style()
            ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, window.TKB_Zoom)
            .center();
    }
};

TEST_F(Full_Screen, OpensMaximizedWithoutFrameThePictureFillingIt)
{
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window.IMG_Cam_Fills());
    EXPECT_EQ(window.IMG_Cam->geometry(), Filled());
    EXPECT_EQ(window.PNL_Cam->geometry(), window.rect());
    EXPECT_EQ(window.Zoom, 1.0);
    EXPECT_EQ(window.TKB_Zoom->value(), 2);
    EXPECT_EQ(window.IMG_Cam->toolTip(),
              QStringLiteral("- Make a double click to go exit\r\n- Make a right click to open PTZ functions"));
}

TEST_F(Full_Screen, ButtonsStayAtTheBottomLeftCorner)
{
    const auto check = [this] {
        const int top = window.height() - 3 - 37;
        EXPECT_EQ(window.BTN_Show_Ptz->geometry(), QRect(3, top, 66, 37));
        EXPECT_EQ(window.BTN_Show_Zoom->geometry(), QRect(68, top, 66, 37));
        EXPECT_EQ(window.BTN_Exit->geometry(), QRect(133, top, 66, 37));
    };
    check();
    window.setWindowState(Qt::WindowNoState);
    window.resize(500, 321);
    QTest::qWait(20);
    check();
    EXPECT_EQ(window.BTN_Exit->text(), "Exit");
    EXPECT_EQ(window.BTN_Show_Zoom->text(), "E-Fct");
}

TEST_F(Full_Screen, MinusFourTimesReachesTheFloorAndStaysThere)
{
    Click(window.BTN_Show_Zoom);
    ASSERT_TRUE(window.PNL_E_Fct->isVisible());
    for (int i = 0; i < 4; ++i)
        Click(window.BTN_Zoom_Moins);
    EXPECT_EQ(window.Zoom, 0.20000000000000007);
    EXPECT_EQ(window.IMG_Cam->geometry(), Zoomed({window.Zoom, 0, 0}));
    EXPECT_EQ(window.TKB_Zoom->value(), 0);
    for (int i = 0; i < 3; ++i) {
        Click(window.BTN_Zoom_Moins);
        EXPECT_EQ(window.Zoom, 0.2);
    }
}

TEST_F(Full_Screen, PlusFiftyTimesGivesElevenWithTheBarAtTheTop)
{
    Click(window.BTN_Show_Zoom);
    for (int i = 0; i < 50; ++i)
        Click(window.BTN_Zoom_Plus);
    EXPECT_EQ(window.Zoom, 10.999999999999993);
    EXPECT_EQ(window.TKB_Zoom->value(), 20);
    EXPECT_EQ(window.IMG_Cam->geometry(), Zoomed({window.Zoom, 0, 0}));
}

TEST_F(Full_Screen, AReleaseOnTheBarAppliesItsPosition)
{
    Click(window.BTN_Show_Zoom);
    const QPoint handle = Bar_Handle_Centre();
    QTest::mousePress(window.TKB_Zoom, Qt::LeftButton, {}, handle);
    QTest::mouseRelease(window.TKB_Zoom, Qt::LeftButton, {}, handle);
    EXPECT_EQ(window.TKB_Zoom->value(), 2);
    EXPECT_NEAR(window.Zoom, 1.17998, 1e-5);
    EXPECT_EQ(window.IMG_Cam->geometry(), Zoomed({window.Zoom, 0, 0}));
}

TEST_F(Full_Screen, KeyboardMovesOfTheBarWaitForAMouseRelease)
{
    Click(window.BTN_Show_Zoom);
    window.TKB_Zoom->setFocus();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(window.TKB_Zoom, Qt::Key_Up);
    EXPECT_EQ(window.TKB_Zoom->value(), 5);
    EXPECT_EQ(window.Zoom, 1.0);
    EXPECT_EQ(window.IMG_Cam->geometry(), Filled());
    QTest::mouseRelease(window.TKB_Zoom, Qt::LeftButton, {}, Bar_Handle_Centre());
    EXPECT_EQ(window.Zoom, Zoom_Math::Zoom_From_Bar(5));
}

TEST_F(Full_Screen, PanningMovesThePictureAndTheCentreBringsItBack)
{
    Click(window.BTN_Show_Zoom);
    for (int i = 0; i < 10; ++i)
        Click(window.Img_Zoom_Right);
    EXPECT_EQ(window.IMG_Cam->geometry(), Filled().translated(-1000, 0));
    Click(window.Img_Zoom_Down);
    Click(window.Img_Zoom_Left);
    EXPECT_EQ(window.IMG_Cam->geometry(), Filled().translated(-900, -100));
    Click(window.Img_Zoom_Up);
    Click(window.BTN_Zoom_Plus);
    Click(window.Img_Zoom_Full);
    EXPECT_EQ(window.Zoom, 1.0);
    EXPECT_EQ(window.Offset_X, 0);
    EXPECT_EQ(window.Offset_Y, 0);
    EXPECT_EQ(window.IMG_Cam->geometry(), Filled());
}

TEST_F(Full_Screen, ComingBackToTheWindowResetsZoomAndPan)
{
    Click(window.BTN_Show_Zoom);
    Click(window.BTN_Zoom_Plus);
    Click(window.Img_Zoom_Left);
    ASSERT_NE(window.IMG_Cam->geometry(), Filled());

    QWidget main_window;
    main_window.resize(200, 100);
    main_window.show();
    main_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main_window));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    EXPECT_EQ(window.Zoom, 1.0);
    EXPECT_EQ(window.Offset_X, 0);
    EXPECT_EQ(window.Offset_Y, 0);
    EXPECT_EQ(window.TKB_Zoom->value(), 2);
    EXPECT_TRUE(window.IMG_Cam_Fills());
    EXPECT_EQ(window.IMG_Cam->geometry(), Filled());
}

TEST_F(Full_Screen, EscapeClosesOnlyWhenPlain)
{
    struct Row {
        const char* name;
        Qt::KeyboardModifiers modifiers;
        Qt::MouseButtons buttons;
    };
    const Row ignored[] = {
        {"Shift", Qt::ShiftModifier, Qt::NoButton},
        {"Ctrl", Qt::ControlModifier, Qt::NoButton},
        {"Alt", Qt::AltModifier, Qt::NoButton},
        {"a mouse button held", Qt::NoModifier, Qt::LeftButton},
    };
    for (const Row& row : ignored) {
        EXPECT_FALSE(window.FormKeyDown(Qt::Key_Escape, row.modifiers, row.buttons)) << row.name;
        EXPECT_TRUE(window.isVisible()) << row.name;
    }
    QTest::keyClick(&window, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_TRUE(window.isVisible());
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());

    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible()) << "plain Escape closes";
    EXPECT_EQ(window.objectName(), "F_Full_Screen") << "hidden, not destroyed";
}

TEST_F(Full_Screen, EscapeIsNotTakenFromAControlHoldingTheFocus)
{
    Click(window.BTN_Show_Zoom);
    window.TKB_Zoom->setFocus();
    QTest::keyClick(window.TKB_Zoom, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(Full_Screen, ButtonsDoNotTakeTheFocusAwayFromEscape)
{
    Click(window.BTN_Show_Ptz);
    Click(window.BTN_Show_Zoom);
    Click(window.PNL_Ptz->BTN_Go_PTZ[0]);
    Click(window.PNL_Ptz->SWT_Preset);
    Click(window.BTN_Zoom_Plus);
    QWidget* focus = window.focusWidget();
    EXPECT_TRUE(focus == nullptr || focus == &window) << focus->objectName().toStdString();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(Full_Screen, DoubleClickOnThePictureCloses)
{
    Mirror_Live();
    struct Row {
        const char* name;
        QWidget* control;
    };
    const Row rows[] = {
        {"picture", window.IMG_Cam}, {"busy animation", window.GIF_Cam}, {"status panel", window.PNL_Status_Cam}};
    for (const Row& row : rows) {
        if (!window.isVisible())
            Open();
        QTest::mouseDClick(row.control, Qt::LeftButton, {}, QPoint(8, 8));
        EXPECT_FALSE(window.isVisible()) << row.name;
    }
}

TEST_F(Full_Screen, RightClickOnThePictureOnlyOpensBothPanels)
{
    Mirror_Live();
    Click(window.GIF_Cam, Qt::RightButton);
    Click(window.PNL_Status_Cam, Qt::RightButton);
    Click(window.IMG_Cam, Qt::LeftButton, QPoint(20, 300));
    EXPECT_FALSE(window.PNL_Ptz->isVisible());
    EXPECT_FALSE(window.PNL_E_Fct->isVisible());

    Click(window.IMG_Cam, Qt::RightButton, QPoint(20, 300));
    EXPECT_TRUE(window.PNL_Ptz->isVisible());
    EXPECT_TRUE(window.PNL_E_Fct->isVisible());
    EXPECT_EQ(window.PNL_Ptz->PNL_Ptz_N_Cam->Caption(), "3- Porch ");
    EXPECT_EQ(window.PNL_E_Fct_N_Cam->Caption(), "3- Porch ");
    EXPECT_TRUE(window.isVisible());
}

TEST_F(Full_Screen, ShowNCamWritesTheVisibleStripsOnly)
{
    Click(window.BTN_Show_Ptz);
    EXPECT_EQ(window.PNL_Ptz->PNL_Ptz_N_Cam->Caption(), "3- Porch ");
    EXPECT_EQ(window.PNL_E_Fct_N_Cam->Caption(), "") << "a hidden panel's strip is not touched";

    for (int outside : {0, 10, -1}) {
        window.N_Cam = outside;
        window.Show_N_Cam();
        EXPECT_EQ(window.PNL_Ptz->PNL_Ptz_N_Cam->Caption(), "3- Porch ") << outside;
    }
    window.N_Cam = 9;
    Click(window.BTN_Show_Zoom);
    EXPECT_EQ(window.PNL_Ptz->PNL_Ptz_N_Cam->Caption(), "9-CAM9");
    EXPECT_EQ(window.PNL_E_Fct_N_Cam->Caption(), "9-CAM9");
}

TEST_F(Full_Screen, ToolPanelsArePlacedFromAndStoredIntoTheMainWindow)
{
    EXPECT_EQ(window.PNL_Ptz->pos(), QPoint(50, 40));
    EXPECT_EQ(window.PNL_E_Fct->pos(), QPoint(70, 60));
    Click(window.BTN_Show_Ptz);
    window.PNL_Ptz->move(110, 120);
    window.PNL_E_Fct->move(130, 140);
    Click(window.BTN_Exit);
    EXPECT_FALSE(window.isVisible());
    ASSERT_FALSE(stored.empty());
    EXPECT_EQ(stored.back(), (T_Full_Screen_Places{120, 110, 140, 130}));

    places = {1, 2, 3, 4};
    Open();
    EXPECT_EQ(window.PNL_Ptz->pos(), QPoint(2, 1));
    EXPECT_EQ(window.PNL_E_Fct->pos(), QPoint(4, 3));
    EXPECT_TRUE(window.PNL_Ptz->isVisible()) << "the panels keep their visibility between showings";
    EXPECT_FALSE(window.PNL_E_Fct->isVisible());
}

TEST_F(Full_Screen, PtzButtonsHandTheirCommandsToTheMainWindow)
{
    Click(window.BTN_Show_Ptz);
    Ptz_Panel& ptz = *window.PNL_Ptz;
    Click(ptz.BTN_Go_PTZ[2]);
    Click(ptz.SWT_Preset);
    Click(ptz.BTN_Go_PTZ[9]);
    QTest::mousePress(ptz.BTN_Deplace_Gauche, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(ptz.BTN_Deplace_Gauche, Qt::LeftButton, {}, QPoint(3, 3));
    Click(ptz.BTN_Reboot);
    Click(ptz.BTN_Flip_H);

    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].command, (Ptz_Command{Ptz_Action::Preset, 3}));
    EXPECT_FALSE(calls[0].set_mode) << "Move";
    EXPECT_EQ(calls[1].command, (Ptz_Command{Ptz_Action::Preset, 10}));
    EXPECT_TRUE(calls[1].set_mode) << "Set";
    EXPECT_EQ(calls[2].command, (Ptz_Command{Ptz_Action::Jog, 4}));
    EXPECT_EQ(calls[3].command, (Ptz_Command{Ptz_Action::Reboot, 0}));
    EXPECT_EQ(calls[4].command, (Ptz_Command{Ptz_Action::Mirror, 2}));
}

TEST_F(Full_Screen, ClosingThePtzPanelOnlyHidesIt)
{
    Click(window.BTN_Show_Ptz);
    Click(window.PNL_Ptz->Close_Button());
    EXPECT_FALSE(window.PNL_Ptz->isVisible());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(calls.empty());
}

}  // namespace
