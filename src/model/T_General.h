#pragma once
#include <cstdint>
#include <string>

// Top and left (and size) of a floating panel, as the settings file keeps them.
struct T_Panel_Place {
    int32_t Top = 0;
    int32_t Left = 0;
    bool operator==(const T_Panel_Place&) const = default;
};

struct T_Panel_Rect {
    int32_t Top = 0;
    int32_t Left = 0;
    int32_t Width = 600;
    int32_t Height = 300;
    bool operator==(const T_Panel_Rect&) const = default;
};

// The general settings: what the settings column's lists and recording edits show, where the floating
// panels stand, and the folder the configuration dialogs open in. The defaults are a settings file's
// without the keys.
struct T_General {
    int32_t Nb_Cam_Index = 0;         // CBX_Nb_Cam: cameras shown - 1
    int32_t N_Cam_Index = 0;          // CBX_N_Cam: camera being set - 1
    int32_t Size_Pnl_Index = 2;       // CBX_Size_Pnl: "80*60" .. "640*480"
    int32_t Frame_Rate_Index = 7;     // CBX_Frame_Rate: "20 fps" .. "1 fp/5s"
    T_Panel_Rect Log_Panel;           // PNL_Visue_Expert
    T_Panel_Place Ptz_Panel;          // PNL_Ptz
    T_Panel_Place Full_Screen_Ptz;    // the full-screen window's PNL_Ptz
    T_Panel_Place Full_Screen_E_Fct;  // the full-screen window's PNL_E_Fct
    int32_t Frequence_Rec = 5;        // EDT_Frequence_Rec, seconds
    int32_t Delay_Stop_Rec = 60;      // EDT_Delay_Stop_Rec, seconds
    std::string Dest_Folder;          // DED_Dest_Folder, bytes as stored
    std::string Dir_Save_Load;        // where the configuration dialogs open

    bool operator==(const T_General&) const = default;
};

// The general settings of file, key by key in the order of the settings file's general sections
// ("general", "PNL_Visue_Expert", "PNL_Ptz", "F_Full_Screen.PNL_Ptz", "F_Full_Screen.PNL_E_Fct",
// "snapshot_record", "Save_Load"), each missing key written first with its default (defaults holds
// them; its folders are the user's). A panel size index above the last (3) is taken as the last.
// Never throws.
T_General Read_General(const std::string& file, const T_General& defaults);

// Writes every general setting into file in the same order; the other keys of the file stay.
void Write_General(const std::string& file, const T_General& general);
