#include "platform/Private_Profile.h"
#include "support/Temp_Dir.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <thread>

namespace {

class Viewer_Process : public ::testing::TestWithParam<int> {};

// A signal closes the viewer as the user would: the settings are written and it exits with status 0.
TEST_P(Viewer_Process, SignalClosesTheWindowAndWritesTheSettings)
{
    Temp_Dir home;
    const std::string data = home.Path() + "/_data_Tambrel/";
    QProcess viewer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", QString::fromStdString(home.Path()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    viewer.setProcessEnvironment(env);
    viewer.start(TAMBREL_VIEWER, {});
    ASSERT_TRUE(viewer.waitForStarted(5000));

    // datas.ini appears during creation; give the loop a moment to start.
    for (int i = 0; i < 100 && !std::filesystem::exists(data + "datas.ini"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::filesystem::remove(data + "datas.ini");

    ::kill(static_cast<pid_t>(viewer.processId()), GetParam());
    ASSERT_TRUE(viewer.waitForFinished(5000));
    EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(viewer.exitCode(), 0);
    EXPECT_EQ(Get_Private_Profile_String(data + "datas.ini", "CAM1", "Alias", ""), "CAM1");
    EXPECT_NE(Get_Private_Profile_String(data + "appli.ini", "Common", "SPL_GlobalBars", ""), "");
    EXPECT_NE(Get_Private_Profile_String(data + "appli.ini", "Common", "F_Main", ""), "");
}

INSTANTIATE_TEST_SUITE_P(Signals, Viewer_Process, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

}  // namespace
