#include "model/T_General.h"

#include "platform/Ini_Keys.h"
#include "support/Temp_Dir.h"

#include <gtest/gtest.h>

namespace {

TEST(General, AFreshFileGetsEveryKeyWithItsDefaultInTheSettingsOrder)
{
    Temp_Dir dir;
    const std::string file = dir.File("datas.ini");
    T_General defaults;
    defaults.Dest_Folder = "/home/u/Pictures/Tambrel";
    defaults.Dir_Save_Load = "/home/u/";
    EXPECT_EQ(Read_General(file, defaults), defaults);
    EXPECT_EQ(
        Read_File(file),
        "[general]\nCBX_Nb_Cam=0\nCBX_N_Cam=0\nCBX_Size_Pnl=2\nCBX_Frame_Rate=7\n"
        "[PNL_Visue_Expert]\nPNL_Visue_Expert.Top=0\nPNL_Visue_Expert.Left=0\nPNL_Visue_Expert.Width=600\n"
        "PNL_Visue_Expert.Height=300\n"
        "[PNL_Ptz]\nPNL_Ptz.Top=0\nPNL_Ptz.Left=0\n"
        "[F_Full_Screen.PNL_Ptz]\nF_Full_Screen.PNL_Ptz.Top=0\nF_Full_Screen.PNL_Ptz.Left=0\n"
        "[F_Full_Screen.PNL_E_Fct]\nF_Full_Screen.PNL_E_Fct.Top=0\nF_Full_Screen.PNL_E_Fct.Left=0\n"
        "[snapshot_record]\nEDT_Frequence_Rec=5\nEDT_Delay_Stop_Rec=60\nDED_Dest_Folder=/home/u/Pictures/Tambrel\n"
        "[Save_Load]\nDir_Save_Load=/home/u/\n");
}

TEST(General, WrittenThenReadBackWithThePanelSizeBounded)
{
    Temp_Dir dir;
    const std::string file = dir.File("x.cfg");
    T_General g;
    g.Nb_Cam_Index = 8;
    g.N_Cam_Index = 4;
    g.Size_Pnl_Index = 1;
    g.Frame_Rate_Index = 11;
    g.Log_Panel = {10, 20, 300, 200};
    g.Ptz_Panel = {5, 6};
    g.Full_Screen_Ptz = {7, 8};
    g.Full_Screen_E_Fct = {-9, 10};
    g.Frequence_Rec = 2;
    g.Delay_Stop_Rec = 30;
    g.Dest_Folder = "/media/Vid\xE9os";
    g.Dir_Save_Load = "";
    Write_General(file, g);
    EXPECT_EQ(Read_General(file, {}), g);

    Ini_Write_Int(file, "general", "CBX_Size_Pnl", 7);
    EXPECT_EQ(Read_General(file, {}).Size_Pnl_Index, 3);
}

}  // namespace
