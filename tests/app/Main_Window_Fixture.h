#pragma once
#include "Main_Window_Probe.h"
#include "app/UF_Main.h"
#include "camsim/Camsim_Server.h"
#include "platform/Clock.h"
#include "support/Temp_Dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// A clock a test sets by hand.
class Fake_Clock : public Clock {
public:
    int64_t Tick_Ms() const override { return tick; }
    Local_Date_Time Now() const override { return now; }
    int64_t tick = 1000000;
    Local_Date_Time now{2015, 12, 12, 14, 3, 7, 45};
};

// A main window whose data folder lies in a fresh temporary folder ($XDG_DATA_HOME points there).
class Main_Window_Test : public ::testing::Test {
protected:
    Main_Window_Test();
    ~Main_Window_Test() override;

    // Creates the window (FormCreate runs); a previous one is destroyed first, as at program end.
    Main_Window_Probe& Start(const Clock* clock = nullptr, const Http_Settings* camera_http = nullptr);
    // The window's inside (after Start).
    Main_Window_Probe& Probe() { return *probe_; }
    // Closes the window as the user would (FormClose runs), then destroys it.
    void Close_And_Destroy();

    std::string Data_Dir() const { return home_.Path() + "/_data_Tambrel/"; }
    std::string Datas_Ini() const { return Data_Dir() + "datas.ini"; }
    std::string Appli_Ini() const { return Data_Dir() + "appli.ini"; }

    Temp_Dir home_;
    std::unique_ptr<TF_Main> window_;
    std::unique_ptr<Main_Window_Probe> probe_;

private:
    QByteArray old_xdg_;
};

// Simulated cameras on 127.0.0.1 for a main window: `count` cameras of 160 x 120, running.
std::unique_ptr<Camsim_Server> Start_Cameras(int count, Camsim_Options options = {});

// Points Cam[1..count] at the cameras (enabled, address, port, password), stops the refresh timer so that
// the test runs the passes, and shows the camera being set in the settings column (so that its next commit
// keeps these records).
void Use_Cameras(Main_Window_Probe& window, Camsim_Server& cameras);
