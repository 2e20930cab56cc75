// Timing bounds here are generous: timers never fire early, so lower bounds are firm; upper bounds
// only catch a repetition that never comes or one that runs away.
#include "widgets/Repeat_Button.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Held_Button {
    QWidget window;
    Repeat_Button* button = new Repeat_Button(&window);
    QElapsedTimer clock;
    std::vector<qint64> starts;  // when each click's handler began, ms
    std::vector<qint64> ends;    // when it returned
    int handler_ms = 0;

    Held_Button()
    {
        window.resize(100, 100);
        button->setGeometry(10, 10, 29, 18);
        QObject::connect(button, &Repeat_Button::Repeat_Click, [this] {
            starts.push_back(clock.elapsed());
            if (handler_ms > 0)
                QThread::msleep(static_cast<unsigned long>(handler_ms));
            ends.push_back(clock.elapsed());
        });
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        clock.start();
    }
    void Press() { QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5)); }
    void Release() { QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5)); }
};

TEST(Repeat_Button, ClicksAtOnceThenAfterTheDelayThenAtTheInterval)
{
    Held_Button held;
    held.Press();
    ASSERT_EQ(held.starts.size(), 1u) << "the press itself clicks, synchronously";
    QTest::qWait(700);
    held.Release();
    const std::size_t at_release = held.starts.size();
    const qint64 held_for = held.clock.elapsed();

    ASSERT_GE(at_release, 4u);
    EXPECT_GE(held.starts[1] - held.ends[0], 195) << "second click before the 200 ms delay";
    EXPECT_LE(held.starts[1] - held.ends[0], 650);
    for (std::size_t i = 2; i < at_release; ++i)
        EXPECT_GE(held.starts[i] - held.ends[i - 1], 19) << "click " << i << " before the 20 ms interval";
    // At most one click per 20 ms after the delay, plus the first two.
    EXPECT_LE(at_release, static_cast<std::size_t>((held_for - 200) / 20 + 2));

    QTest::qWait(150);
    EXPECT_EQ(held.starts.size(), at_release) << "release must add no click";
    EXPECT_FALSE(held.button->Held());
}

TEST(Repeat_Button, QuickPressAndReleaseIsOneClick)
{
    Held_Button held;
    held.Press();
    held.Release();
    QTest::qWait(300);
    EXPECT_EQ(held.starts.size(), 1u);
}

TEST(Repeat_Button, BlockingHandlerGetsNoBacklog)
{
    Held_Button held;
    held.handler_ms = 60;
    held.Press();
    QTest::qWait(800);
    held.Release();
    const std::size_t at_release = held.starts.size();
    ASSERT_GE(at_release, 3u);
    EXPECT_GE(held.starts[1] - held.ends[0], 195);
    for (std::size_t i = 2; i < at_release; ++i)
        EXPECT_GE(held.starts[i] - held.ends[i - 1], 19) << "click " << i << " queued behind a slow handler";
    QTest::qWait(150);
    EXPECT_EQ(held.starts.size(), at_release);
}

TEST(Repeat_Button, ReleaseDuringBlockingFirstClickAddsNothing)
{
    Held_Button held;
    held.handler_ms = 100;
    held.Press();
    held.Release();
    QTest::qWait(400);
    EXPECT_EQ(held.starts.size(), 1u);
}

TEST(Repeat_Button, HidingWhileHeldEndsTheRepetition)
{
    // A hidden button never sees the release; it must not go on clicking in the background.
    Held_Button held;
    held.Press();
    held.button->hide();
    QTest::qWait(400);
    EXPECT_EQ(held.starts.size(), 1u);
    EXPECT_FALSE(held.button->Held());
}

TEST(Repeat_Button, DisablingWhileHeldEndsTheRepetition)
{
    Held_Button held;
    held.Press();
    held.button->setEnabled(false);
    QTest::qWait(400);
    EXPECT_EQ(held.starts.size(), 1u);
}

}  // namespace
