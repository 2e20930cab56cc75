#pragma once
#include "Temp_Dir.h"
#include "UF_Main.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// A main window whose data folder lies in a fresh temporary folder ($XDG_DATA_HOME points there).
class Main_Window_Test : public ::testing::Test {
protected:
    Main_Window_Test();
    ~Main_Window_Test() override;

    // Creates the window (FormCreate runs); a previous one is destroyed first, as at program end.
    TF_Main& Start();
    // Closes the window as the user would (FormClose runs), then destroys it.
    void Close_And_Destroy();

    std::string Data_Dir() const { return home_.Path() + "/_data_Tambrel/"; }
    std::string Datas_Ini() const { return Data_Dir() + "datas.ini"; }
    std::string Appli_Ini() const { return Data_Dir() + "appli.ini"; }

    Temp_Dir home_;
    std::unique_ptr<TF_Main> window_;

private:
    QByteArray old_xdg_;
};
