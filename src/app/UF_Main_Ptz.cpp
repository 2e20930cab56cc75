// The PTZ panel of the main window and the camera commands behind its buttons.
#include "UF_Main.h"

#include "Guarded_Slot.h"

#include "Camera_Control.h"
#include "Panel.h"
#include "Ptz_Panel.h"
#include "Repeat_Button.h"
#include "Settings_Panel.h"
#include "Two_State_Switch.h"
#include "UF_Full_Screen.h"

#include <QPushButton>

void TF_Main::Connect_Ptz_Handlers()
{
    connect(PNL_Config->BTN_Show_Ptz, &QPushButton::clicked, this, Guarded([this] { BTN_Show_PtzClick(PNL_Config->BTN_Show_Ptz); }));
    connect(PNL_Ptz, &Ptz_Panel::Jog_Click, this, Guarded([this](QObject* sender) { BTN_Deplace_HautClick(sender); }));
    connect(PNL_Ptz, &Ptz_Panel::Preset_Click, this, Guarded([this](QObject* sender) { BTN_Go_PTZ_1Click(sender); }));
    connect(PNL_Ptz, &Ptz_Panel::Reboot_Click, this, Guarded([this](QObject* sender) { BTN_RebootClick(sender); }));
    connect(PNL_Ptz, &Ptz_Panel::Flip_Click, this, Guarded([this](QObject* sender) { BTN_Flip_VClick(sender); }));
    PNL_Ptz->Set_Close_Handler([this](bool& cancel) { PNL_Visue_ExpertCloseBtnClick(PNL_Ptz, cancel); });
}

void TF_Main::BTN_Show_PtzClick(QObject* /*Sender*/)
{
    PNL_Ptz->show();
    PNL_Ptz->raise();
    // A place kept from a larger window must not leave the panel out of reach.
    PNL_Ptz->Keep_Inside_Parent();
    CBX_N_CamChange(CBX_N_Cam);
}

void TF_Main::BTN_Deplace_HautClick(QObject* Sender)
{
    Commands().BTN_Deplace_HautClick(Sender);
}

void TF_Main::BTN_Go_PTZ_1Click(QObject* Sender)
{
    Gere_Preset_PTZ(Sender, PNL_Ptz->SWT_Preset->isChecked());
}

void TF_Main::Gere_Preset_PTZ(QObject* Sender, bool Set_Mode)
{
    Commands().Gere_Preset_PTZ(Sender, Set_Mode);
}

void TF_Main::BTN_Flip_VClick(QObject* Sender)
{
    Commands().BTN_Flip_VClick(Sender);
}

void TF_Main::BTN_RebootClick(QObject* Sender)
{
    Commands().BTN_RebootClick(Sender);
}

void TF_Main::Attach_Full_Screen(TF_Full_Screen* full_screen)
{
    F_Full_Screen = full_screen;
    if (!full_screen)
        return;
    T_Full_Screen_Host& host = full_screen->F_Main;
    host.BTN_Deplace_HautClick = [this](QObject* Sender) { BTN_Deplace_HautClick(Sender); };
    host.Gere_Preset_PTZ = [this](QObject* Sender, bool Set_Mode) { Gere_Preset_PTZ(Sender, Set_Mode); };
    host.BTN_RebootClick = [this](QObject* Sender) { BTN_RebootClick(Sender); };
    host.BTN_Flip_VClick = [this](QObject* Sender) { BTN_Flip_VClick(Sender); };
    host.Alias_Of = [this](int slot) { return Is_Slot(slot) ? Cam[slot].Alias : std::string(); };
    host.Read_Places = [this] {
        return T_Full_Screen_Places{Full_Screen_Ptz_Top, Full_Screen_Ptz_Left, Full_Screen_E_Fct_Top, Full_Screen_E_Fct_Left};
    };
    host.Store_Places = [this](const T_Full_Screen_Places& places) {
        Full_Screen_Ptz_Top = places.Full_Screen_Ptz_Top;
        Full_Screen_Ptz_Left = places.Full_Screen_Ptz_Left;
        Full_Screen_E_Fct_Top = places.Full_Screen_E_Fct_Top;
        Full_Screen_E_Fct_Left = places.Full_Screen_E_Fct_Left;
    };
}
