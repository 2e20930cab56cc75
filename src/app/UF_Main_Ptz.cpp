// The PTZ panel of the main window and the camera commands behind its buttons.
#include "app/UF_Main.h"

#include "app/Guarded_Slot.h"

#include "control/Camera_Control.h"
#include "control/Ptz_Panel.h"
#include "views/Settings_Panel.h"
#include "views/UF_Full_Screen.h"
#include "widgets/Panel.h"
#include "widgets/Repeat_Button.h"
#include "widgets/Two_State_Switch.h"

#include <QPushButton>

void TF_Main::Connect_Ptz_Handlers()
{
    connect(PNL_Config->BTN_Show_Ptz, &QPushButton::clicked, this,
            Guarded([this] { BTN_Show_PtzClick(PNL_Config->BTN_Show_Ptz); }));
    connect(PNL_Ptz, &Ptz_Panel::Command_Click, this,
            Guarded([this](const Ptz_Command& command, bool set_mode) { Ptz_Command_Click(command, set_mode); }));
    PNL_Ptz->Set_Close_Handler([this](bool& cancel) { Floating_Panel_Close(cancel); });
}

void TF_Main::BTN_Show_PtzClick(QObject* /*Sender*/)
{
    PNL_Ptz->show();
    PNL_Ptz->raise();
    // A place kept from a larger window must not leave the panel out of reach.
    PNL_Ptz->Keep_Inside_Parent();
    CBX_N_CamChange(CBX_N_Cam);
}

void TF_Main::Ptz_Command_Click(const Ptz_Command& command, bool set_mode)
{
    Commands().Send(command, set_mode);
}

void TF_Main::Attach_Full_Screen(TF_Full_Screen* full_screen)
{
    F_Full_Screen = full_screen;
    if (!full_screen)
        return;
    T_Full_Screen_Host& host = full_screen->F_Main;
    host.Ptz_Command_Click = [this](const Ptz_Command& command, bool set_mode) {
        Ptz_Command_Click(command, set_mode);
    };
    host.Alias_Of = [this](int slot) { return Is_Slot(slot) ? Cam[slot].Alias : std::string(); };
    host.Read_Places = [this] { return Full_Screen_Places; };
    host.Store_Places = [this](const T_Full_Screen_Places& places) { Full_Screen_Places = places; };
}
