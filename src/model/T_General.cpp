#include "model/T_General.h"

#include "platform/Ini_Keys.h"

namespace {

constexpr int32_t Last_Size_Pnl_Index = 3;

// One panel place: "<section>.Top" and "<section>.Left" in section `section`.
T_Panel_Place Read_Place(const std::string& file, const std::string& section, const T_Panel_Place& defaults)
{
    T_Panel_Place place;
    place.Top = Ini_Read_Int(file, section, section + ".Top", defaults.Top);
    place.Left = Ini_Read_Int(file, section, section + ".Left", defaults.Left);
    return place;
}

void Write_Place(const std::string& file, const std::string& section, const T_Panel_Place& place)
{
    Ini_Write_Int(file, section, section + ".Top", place.Top);
    Ini_Write_Int(file, section, section + ".Left", place.Left);
}

}  // namespace

T_General Read_General(const std::string& file, const T_General& defaults)
{
    T_General g;
    g.Nb_Cam_Index = Ini_Read_Int(file, "general", "CBX_Nb_Cam", defaults.Nb_Cam_Index);
    g.N_Cam_Index = Ini_Read_Int(file, "general", "CBX_N_Cam", defaults.N_Cam_Index);
    g.Size_Pnl_Index = Ini_Read_Int(file, "general", "CBX_Size_Pnl", defaults.Size_Pnl_Index);
    if (g.Size_Pnl_Index > Last_Size_Pnl_Index)
        g.Size_Pnl_Index = Last_Size_Pnl_Index;
    g.Frame_Rate_Index = Ini_Read_Int(file, "general", "CBX_Frame_Rate", defaults.Frame_Rate_Index);

    const std::string log = "PNL_Visue_Expert";
    g.Log_Panel.Top = Ini_Read_Int(file, log, log + ".Top", defaults.Log_Panel.Top);
    g.Log_Panel.Left = Ini_Read_Int(file, log, log + ".Left", defaults.Log_Panel.Left);
    g.Log_Panel.Width = Ini_Read_Int(file, log, log + ".Width", defaults.Log_Panel.Width);
    g.Log_Panel.Height = Ini_Read_Int(file, log, log + ".Height", defaults.Log_Panel.Height);
    g.Ptz_Panel = Read_Place(file, "PNL_Ptz", defaults.Ptz_Panel);
    g.Full_Screen_Ptz = Read_Place(file, "F_Full_Screen.PNL_Ptz", defaults.Full_Screen_Ptz);
    g.Full_Screen_E_Fct = Read_Place(file, "F_Full_Screen.PNL_E_Fct", defaults.Full_Screen_E_Fct);

    g.Frequence_Rec = Ini_Read_Int(file, "snapshot_record", "EDT_Frequence_Rec", defaults.Frequence_Rec);
    g.Delay_Stop_Rec = Ini_Read_Int(file, "snapshot_record", "EDT_Delay_Stop_Rec", defaults.Delay_Stop_Rec);
    g.Dest_Folder = Ini_Read_String(file, "snapshot_record", "DED_Dest_Folder", defaults.Dest_Folder);
    g.Dir_Save_Load = Ini_Read_String(file, "Save_Load", "Dir_Save_Load", defaults.Dir_Save_Load);
    return g;
}

void Write_General(const std::string& file, const T_General& g)
{
    Ini_Write_Int(file, "general", "CBX_Nb_Cam", g.Nb_Cam_Index);
    Ini_Write_Int(file, "general", "CBX_N_Cam", g.N_Cam_Index);
    Ini_Write_Int(file, "general", "CBX_Size_Pnl", g.Size_Pnl_Index);
    Ini_Write_Int(file, "general", "CBX_Frame_Rate", g.Frame_Rate_Index);
    const std::string log = "PNL_Visue_Expert";
    Ini_Write_Int(file, log, log + ".Top", g.Log_Panel.Top);
    Ini_Write_Int(file, log, log + ".Left", g.Log_Panel.Left);
    Ini_Write_Int(file, log, log + ".Width", g.Log_Panel.Width);
    Ini_Write_Int(file, log, log + ".Height", g.Log_Panel.Height);
    Write_Place(file, "PNL_Ptz", g.Ptz_Panel);
    Write_Place(file, "F_Full_Screen.PNL_Ptz", g.Full_Screen_Ptz);
    Write_Place(file, "F_Full_Screen.PNL_E_Fct", g.Full_Screen_E_Fct);
    Ini_Write_Int(file, "snapshot_record", "EDT_Frequence_Rec", g.Frequence_Rec);
    Ini_Write_Int(file, "snapshot_record", "EDT_Delay_Stop_Rec", g.Delay_Stop_Rec);
    Ini_Write_String(file, "snapshot_record", "DED_Dest_Folder", g.Dest_Folder);
    Ini_Write_String(file, "Save_Load", "Dir_Save_Load", g.Dir_Save_Load);
}
