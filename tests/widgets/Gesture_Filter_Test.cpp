// Gestures go through the window system path (QWindow events), so implicit mouse grabs, double-click
// synthesis and propagation to parents are Qt's real ones.
#include "widgets/Busy_Animation.h"
#include "widgets/Gesture_Filter.h"
#include "widgets/Panel.h"
#include "widgets/Picture_Box.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

// A camera panel in miniature: a watched panel holding a watched picture and an unwatched animation.
struct Gesture_Scene {
    QWidget window;
    Panel* status = nullptr;
    Picture_Box* picture = nullptr;
    Busy_Animation* animation = nullptr;
    QPushButton* button = nullptr;
    Gesture_Filter filter;
    QStringList log;

    Gesture_Scene()
    {
        window.resize(300, 200);
        status = new Panel(&window);
        status->setObjectName("PNL_Status_Cam1");
        status->setGeometry(10, 10, 200, 150);
        picture = new Picture_Box(status);
        picture->setObjectName("IMG_Cam1");
        picture->setGeometry(0, 0, 120, 150);
        animation = new Busy_Animation(status);
        animation->setObjectName("GIF_Cam1");
        animation->setGeometry(130, 50, 50, 50);
        button = new QPushButton("PTZ", &window);
        button->setObjectName("BTN_Show_Ptz");
        button->setGeometry(220, 10, 60, 30);
        filter.Watch(status);
        filter.Watch(picture);
        filter.Watch(button);
        QObject::connect(&filter, &Gesture_Filter::Clicked, [this](QObject* s) { log << "click " + s->objectName(); });
        QObject::connect(&filter, &Gesture_Filter::Double_Clicked,
                         [this](QObject* s) { log << "double " + s->objectName(); });
        QObject::connect(&filter, &Gesture_Filter::Mouse_Up,
                         [this](QObject* s, Qt::MouseButton b, Qt::KeyboardModifiers, QPoint) {
                             log << QString("up %1 %2")
                                        .arg(s->objectName(), b == Qt::LeftButton    ? "L"
                                                              : b == Qt::RightButton ? "R"
                                                                                     : "?");
                         });
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QWindow* Handle() { return window.windowHandle(); }
    QPoint At(QWidget* w, QPoint local = {5, 5}) { return w->mapTo(&window, local); }
};

struct Gesture_Case {
    const char* name;
    std::function<void(Gesture_Scene&)> act;
    QStringList expected;
};

void PrintTo(const Gesture_Case& c, std::ostream* os)
{
    *os << c.name;
}

class Gesture_Filter_Cases : public ::testing::TestWithParam<Gesture_Case> {};

TEST_P(Gesture_Filter_Cases, Reports)
{
    Gesture_Scene scene;
    GetParam().act(scene);
    EXPECT_EQ(scene.log, GetParam().expected) << scene.log.join(" | ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Gestures, Gesture_Filter_Cases,
    ::testing::Values(
        Gesture_Case{"LeftClickOnPictureOnlyThePicture",
                     [](Gesture_Scene& s) { QTest::mouseClick(s.Handle(), Qt::LeftButton, {}, s.At(s.picture)); },
                     {"click IMG_Cam1", "up IMG_Cam1 L"}},
        Gesture_Case{"DoubleClickIsOneClickThenOneDoubleClick",
                     [](Gesture_Scene& s) { QTest::mouseDClick(s.Handle(), Qt::LeftButton, {}, s.At(s.picture)); },
                     {"click IMG_Cam1", "up IMG_Cam1 L", "double IMG_Cam1", "up IMG_Cam1 L"}},
        Gesture_Case{"RightClickIsOnlyAMouseUpWithItsButton",
                     [](Gesture_Scene& s) { QTest::mouseClick(s.Handle(), Qt::RightButton, {}, s.At(s.picture)); },
                     {"up IMG_Cam1 R"}},
        Gesture_Case{"ReleaseOutsideTheControlIsNoClick",
                     [](Gesture_Scene& s) {
                         QTest::mousePress(s.Handle(), Qt::LeftButton, {}, s.At(s.picture));
                         QTest::mouseMove(s.Handle(), s.At(s.status, {190, 140}));
                         QTest::mouseRelease(s.Handle(), Qt::LeftButton, {}, s.At(s.status, {190, 140}));
                     },
                     {"up IMG_Cam1 L"}},
        Gesture_Case{"ClickOnUnwatchedChildGoesToWatchedParent",
                     [](Gesture_Scene& s) { QTest::mouseClick(s.Handle(), Qt::LeftButton, {}, s.At(s.animation)); },
                     {"click PNL_Status_Cam1", "up PNL_Status_Cam1 L"}},
        Gesture_Case{"RightClickOnAnimationIsNotThePicture",
                     [](Gesture_Scene& s) { QTest::mouseClick(s.Handle(), Qt::RightButton, {}, s.At(s.animation)); },
                     {"up PNL_Status_Cam1 R"}},
        Gesture_Case{"TwoSlowClicksAreTwoClicks",
                     [](Gesture_Scene& s) {
                         QTest::mouseClick(s.Handle(), Qt::LeftButton, {}, s.At(s.picture));
                         QTest::mouseClick(s.Handle(), Qt::LeftButton, {}, s.At(s.picture));
                     },
                     {"click IMG_Cam1", "up IMG_Cam1 L", "click IMG_Cam1", "up IMG_Cam1 L"}}),
    [](const ::testing::TestParamInfo<Gesture_Case>& row) { return std::string(row.param.name); });

TEST(Gesture_Filter, MouseUpCarriesModifiersAndPositionInTheControl)
{
    Gesture_Scene scene;
    QSignalSpy spy(&scene.filter, &Gesture_Filter::Mouse_Up);
    QTest::mouseClick(scene.Handle(), Qt::RightButton, Qt::ShiftModifier, scene.At(scene.picture, {17, 23}));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].value<QObject*>(), scene.picture);
    EXPECT_EQ(spy[0][1].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(spy[0][2].value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    EXPECT_EQ(spy[0][3].toPoint(), QPoint(17, 23));
}

TEST(Gesture_Filter, WatchedButtonStillGetsItsOwnClick)
{
    Gesture_Scene scene;
    QSignalSpy button_clicked(scene.button, &QPushButton::clicked);
    QTest::mouseClick(scene.Handle(), Qt::LeftButton, {}, scene.At(scene.button, {30, 15}));
    EXPECT_EQ(button_clicked.count(), 1);
    EXPECT_EQ(scene.log, QStringList({"click BTN_Show_Ptz", "up BTN_Show_Ptz L"}));
}

TEST(Gesture_Filter, WatchingTwiceReportsOnce)
{
    Gesture_Scene scene;
    scene.filter.Watch(scene.picture);
    QTest::mouseClick(scene.Handle(), Qt::LeftButton, {}, scene.At(scene.picture));
    EXPECT_EQ(scene.log, QStringList({"click IMG_Cam1", "up IMG_Cam1 L"}));
}

}  // namespace
