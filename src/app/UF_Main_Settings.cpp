// The settings handlers of the main window: the camera being set and the general settings in datas.ini.
#include "UF_Main.h"

#include "Folder_Edit.h"
#include "Folders.h"
#include "Ini_Keys.h"
#include "Settings_Panel.h"

#include <QComboBox>

void TF_Main::CBX_N_CamChange(QObject* /*Sender*/)
{
    Load_Cam_Setting(Cam_To_Set());
}

void TF_Main::Load_Cam_Setting(int /*slot*/)
{
}

void TF_Main::Save_Cam_Setting(int /*slot*/)
{
}

void TF_Main::Read_General_Ini(const std::string& file)
{
    CBX_Nb_Cam->setCurrentIndex(Ini_Read_Int(file, "general", "CBX_Nb_Cam", 0));
    CBX_N_Cam->setCurrentIndex(Ini_Read_Int(file, "general", "CBX_N_Cam", 0));
    CBX_Size_Pnl->setCurrentIndex(Ini_Read_Int(file, "general", "CBX_Size_Pnl", 2));
    CBX_Frame_Rate->setCurrentIndex(Ini_Read_Int(file, "general", "CBX_Frame_Rate", 7));
    Frequence_Rec = std::max(Ini_Read_Int(file, "snapshot_record", "EDT_Frequence_Rec", 5), 1);
    Delay_Stop_Rec = std::max(Ini_Read_Int(file, "snapshot_record", "EDT_Delay_Stop_Rec", 60), 1);
    PNL_Config->DED_Dest_Folder->Set_Path(QString::fromStdString(
        Ini_Read_String(file, "snapshot_record", "DED_Dest_Folder", Pictures_Folder() + "/Tambrel")));
    Dir_Save_Load = Ini_Read_String(file, "Save_Load", "Dir_Save_Load", Home_Folder() + "/");
    CBX_Nb_CamChange(CBX_Nb_Cam);
    CBX_N_CamChange(CBX_N_Cam);
    Nb_Cam = CBX_Nb_Cam->currentIndex() + 1;
}

void TF_Main::Write_General_Ini(const std::string& file)
{
    Ini_Write_Int(file, "general", "CBX_Nb_Cam", CBX_Nb_Cam->currentIndex());
    Ini_Write_Int(file, "general", "CBX_N_Cam", CBX_N_Cam->currentIndex());
    Ini_Write_Int(file, "general", "CBX_Size_Pnl", CBX_Size_Pnl->currentIndex());
    Ini_Write_Int(file, "general", "CBX_Frame_Rate", CBX_Frame_Rate->currentIndex());
    Ini_Write_Int(file, "snapshot_record", "EDT_Frequence_Rec", Frequence_Rec);
    Ini_Write_Int(file, "snapshot_record", "EDT_Delay_Stop_Rec", Delay_Stop_Rec);
    Ini_Write_String(file, "snapshot_record", "DED_Dest_Folder", PNL_Config->DED_Dest_Folder->Path().toStdString());
    Ini_Write_String(file, "Save_Load", "Dir_Save_Load", Dir_Save_Load);
}
