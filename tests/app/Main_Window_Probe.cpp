#include "Main_Window_Probe.h"

Main_Window_Probe::Main_Window_Probe(TF_Main& w)
    : Window(w), Url_Ver(w.Url_Ver), Url_Exe(w.Url_Exe), Url_Site(w.Url_Site), Appli_Version(w.Appli_Version),
      Dir_Data(w.Dir_Data), Creating(w.Creating), Cam(w.Cam), Dir_Save_Load(w.Dir_Save_Load), Nb_Cam(w.Nb_Cam),
      Old_Frame_Rate(w.Old_Frame_Rate), N_Cam_Full_Screen(w.N_Cam_Full_Screen), Log_Active(w.Log_Active),
      Frequence_Rec(w.Frequence_Rec), Delay_Stop_Rec(w.Delay_Stop_Rec), Lib_Cam(w.Lib_Cam), Rec_Slot(w.Rec_Slot),
      IMG_Mod_NoRec(w.IMG_Mod_NoRec), IMG_Mod_Rec(w.IMG_Mod_Rec), IMG_Mod_RecDet(w.IMG_Mod_RecDet),
      Full_Screen_Places(w.Full_Screen_Places), SDG_Save_Config(w.SDG_Save_Config), ODG_Load_Config(w.ODG_Load_Config),
      SPL_Global(w.SPL_Global), PNL_Config(w.PNL_Config), SPP_Right(w.SPP_Right), PNL_Cams(w.PNL_Cams),
      STB_Main(w.STB_Main), TMR_Refresh_Cam(w.TMR_Refresh_Cam), TMR_Update(w.TMR_Update), CBX_Nb_Cam(w.CBX_Nb_Cam),
      CBX_Size_Pnl(w.CBX_Size_Pnl), CBX_Frame_Rate(w.CBX_Frame_Rate), CBX_N_Cam(w.CBX_N_Cam),
      PNL_Visue_Expert(w.PNL_Visue_Expert), MMO_Log_Display(w.MMO_Log_Display), PNL_Ptz(w.PNL_Ptz),
      F_Full_Screen(w.F_Full_Screen)
{
}
