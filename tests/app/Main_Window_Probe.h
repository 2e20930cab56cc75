#pragma once
// The tests' view of the main window's inside: TF_Main names this class its friend (in one place), and it
// hands the tests its fields and controls by reference and its handlers by name. The window's own
// functions (show, resize, close...) are reached through Window.

#include "app/UF_Main.h"

class Main_Window_Probe {
public:
    explicit Main_Window_Probe(TF_Main& window);

    TF_Main& Window;

    // Fields.
    std::string& Url_Ver;
    std::string& Url_Exe;
    std::string& Url_Site;
    std::string& Appli_Version;
    std::string& Dir_Data;
    bool& Creating;
    T_Cams& Cam;
    std::string& Dir_Save_Load;
    int& Nb_Cam;
    int& Old_Frame_Rate;
    int& N_Cam_Full_Screen;
    bool& Log_Active;
    int& Frequence_Rec;
    int& Delay_Stop_Rec;
    std::array<std::unique_ptr<TF_Lib_Cam>, Nb_Slots + 1>& Lib_Cam;
    std::array<T_Rec_Slot, Nb_Slots + 1>& Rec_Slot;
    QImage& IMG_Mod_NoRec;
    QImage& IMG_Mod_Rec;
    QImage& IMG_Mod_RecDet;
    T_Full_Screen_Places& Full_Screen_Places;
    std::function<std::optional<std::string>(const std::string& folder)>& SDG_Save_Config;
    std::function<std::optional<std::string>(const std::string& folder)>& ODG_Load_Config;

    // Controls.
    QSplitter*& SPL_Global;
    Settings_Panel*& PNL_Config;
    QScrollArea*& SPP_Right;
    QWidget*& PNL_Cams;
    QStatusBar*& STB_Main;
    QTimer*& TMR_Refresh_Cam;
    QTimer*& TMR_Update;
    QComboBox*& CBX_Nb_Cam;
    QComboBox*& CBX_Size_Pnl;
    QComboBox*& CBX_Frame_Rate;
    QComboBox*& CBX_N_Cam;
    Log_Panel*& PNL_Visue_Expert;
    QPlainTextEdit*& MMO_Log_Display;
    Ptz_Panel*& PNL_Ptz;
    TF_Full_Screen*& F_Full_Screen;

    Camera_Grid& Grid() { return Window.Grid(); }
    Camera_Control& Commands() { return Window.Commands(); }
    Window_Layout& Layout() { return Window.Layout(); }

    // Handlers and operations.
    void Refresh_Cams() { Window.Refresh_Cams(); }
    void FormActivate() { Window.FormActivate(); }
    void Load_Cam_Setting(int slot) { Window.Load_Cam_Setting(slot); }
    void Save_Cam_Setting(int slot) { Window.Save_Cam_Setting(slot); }
    int Cam_To_Set() const { return Window.Cam_To_Set(); }
    void Camera_Edit_Left() { Window.Camera_Edit_Left(); }
    void Camera_Panel_Click(int slot) { Window.Camera_Panel_Click(slot); }
    void Camera_Picture_Double_Click(int slot) { Window.Camera_Picture_Double_Click(slot); }
    void Camera_Picture_Mouse_Up(int slot, Qt::MouseButton button) { Window.Camera_Picture_Mouse_Up(slot, button); }
    void BTN_Show_PtzClick() { Window.BTN_Show_PtzClick(nullptr); }
    void BTN_RefreshClick() { Window.BTN_RefreshClick(nullptr); }
    void EDT_Frequence_RecExit() { Window.EDT_Frequence_RecExit(nullptr); }
    void BTN_Save_ConfigClick() { Window.BTN_Save_ConfigClick(nullptr); }
    void BTN_Load_ConfigClick() { Window.BTN_Load_ConfigClick(nullptr); }
    void Ptz_Command_Click(const Ptz_Command& command, bool set_mode) { Window.Ptz_Command_Click(command, set_mode); }
};
