// Timing bounds are generous: timers never fire early, so lower bounds are firm; upper bounds only
// catch a repetition that never comes or one that runs away.
#include "views/UF_Full_Screen.h"

#include "camsim/Camsim_Server.h"
#include "control/Camera_Control.h"
#include "control/Ptz_Panel.h"
#include "widgets/Repeat_Button.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Full_Screen_Ptz, HeldJogButtonSendsAtOnceThenAfterTheDelayThenAtTheInterval)
{
    Camsim_Options options;
    options.Width = 160;
    options.Height = 120;
    Camsim_Server camera(options);
    camera.Start();
    T_Cams cams;
    cams[4].Ad_Ip = "127.0.0.1";
    cams[4].Port = camera.Port(1);
    cams[4].Login = options.Login;
    cams[4].Password = options.Password;
    Camera_Control control(cams, [] { return 4; });

    TF_Full_Screen window;
    QElapsedTimer clock;
    std::vector<qint64> sent;  // when each request had been answered, ms
    window.F_Main.Ptz_Command_Click = [&](const Ptz_Command& command, bool set_mode) {
        control.Send(command, set_mode);
        sent.push_back(clock.elapsed());
    };
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.BTN_Show_PtzClick();
    Repeat_Button* up = window.PNL_Ptz->BTN_Deplace_Haut;

    clock.start();
    QTest::mousePress(up, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(sent.size(), 1u) << "the press sends one request at once";
    EXPECT_EQ(camera.Camera(1).Counters().Requests_By_Path["/decoder_control.cgi"], 1);
    QTest::qWait(150);
    EXPECT_EQ(sent.size(), 1u) << "nothing more before the 200 ms delay";
    QTest::qWait(550);
    QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(5, 5));
    const qint64 held_for = clock.elapsed();
    const std::size_t at_release = sent.size();

    ASSERT_GE(at_release, 4u) << "repetitions every 20 ms after the delay";
    EXPECT_GE(sent[1] - sent[0], 195);
    EXPECT_LE(sent[1] - sent[0], 650);
    for (std::size_t i = 2; i < at_release; ++i)
        EXPECT_GE(sent[i] - sent[i - 1], 19) << "request " << i;
    EXPECT_LE(at_release, static_cast<std::size_t>((held_for - 200) / 20 + 2));

    QTest::qWait(150);
    EXPECT_EQ(sent.size(), at_release) << "releasing sends nothing more";
    const std::string last = camera.Camera(1).Counters().Last_Request_Head;
    EXPECT_EQ(last.rfind("GET /decoder_control.cgi?user=admin&pwd=&command=0&onestep=1 HTTP/1.1\r\n", 0), 0u) << last;
    EXPECT_EQ(camera.Camera(1).Counters().Requests_By_Path["/decoder_control.cgi"], static_cast<int>(at_release));
}

}  // namespace
