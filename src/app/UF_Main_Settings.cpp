// The settings column's handlers: the camera being set, the commit moments, the recording edits, and the
// general settings in a settings file.
#include "app/UF_Main.h"

#include "app/Guarded_Slot.h"

#include "acquisition/UF_Lib_Cam.h"

#include "control/Ptz_Panel.h"
#include "model/T_General.h"
#include "platform/Folders.h"
#include "platform/Ini_Keys.h"
#include "views/Log_Panel.h"
#include "views/Settings_Panel.h"
#include "widgets/Caption_Panel.h"
#include "widgets/Folder_Edit.h"
#include "widgets/Integer_Edit.h"
#include "widgets/Panel.h"
#include "widgets/Text_Edit.h"
#include "widgets/Time_Edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

namespace {
constexpr int Key_Enter = 13;  // the key code a key-release handler receives for Enter

std::string Default_Dest_Folder()
{
    return Pictures_Folder() + "/Tambrel";
}
std::string Default_Dir_Save_Load()
{
    return Home_Folder() + "/";
}
}  // namespace

void TF_Main::Connect_Settings_Handlers()
{
    Settings_Panel* p = PNL_Config;
    connect(p->CBX_N_Cam, &Drop_Down_List::Drop_Down, this, Guarded([this] { CBX_N_CamDropDown(CBX_N_Cam); }));
    for (QCheckBox* box : {p->CKB_Cam_Valide, p->CKB_Use_URL})
        connect(box, &QCheckBox::stateChanged, this, Guarded([this] { Camera_Check_Change(); }));
    // The six camera edits commit on leaving and on Enter; so do the name and the two times, so that
    // nothing typed is lost when the camera to set is changed with the keyboard alone.
    for (Text_Edit* edit : {p->EDT_Alias, p->EDT_Adresse_Ip, static_cast<Text_Edit*>(p->EDT_Port), p->EDT_Login,
                            p->EDT_Password, static_cast<Text_Edit*>(p->EDT_K_Detect), p->EDT_Url}) {
        connect(edit, &Text_Edit::Editing_Left, this, Guarded([this] { Camera_Edit_Left(); }));
        connect(edit, &Text_Edit::Enter_Released, this, Guarded([this] { Camera_Edit_Key_Up(Key_Enter); }));
    }
    for (Time_Edit* edit : {p->EDT_Rec_3_On, p->EDT_Rec_3_Off}) {
        connect(edit, &Time_Edit::Editing_Finished, this, Guarded([this] { Camera_Edit_Left(); }));
        connect(edit, &Time_Edit::Enter_Released, this, Guarded([this] { Camera_Edit_Key_Up(Key_Enter); }));
    }
    for (QRadioButton* radio : p->Rec_Buttons())
        connect(radio, &QRadioButton::clicked, this, Guarded([this] { Record_Mode_Click(); }));
    connect(p->EDT_Frequence_Rec, &Text_Edit::Editing_Left, this,
            Guarded([this] { EDT_Frequence_RecExit(PNL_Config->EDT_Frequence_Rec); }));
    connect(p->EDT_Frequence_Rec, &Text_Edit::Enter_Released, this,
            Guarded([this] { EDT_Frequence_RecKeyUp(PNL_Config->EDT_Frequence_Rec, Key_Enter); }));
    connect(p->EDT_Delay_Stop_Rec, &Text_Edit::Editing_Left, this,
            Guarded([this] { EDT_Delay_Stop_RecExit(PNL_Config->EDT_Delay_Stop_Rec); }));
    connect(p->EDT_Delay_Stop_Rec, &Text_Edit::Enter_Released, this,
            Guarded([this] { EDT_Delay_Stop_RecKeyUp(PNL_Config->EDT_Delay_Stop_Rec, Key_Enter); }));
    connect(p->BTN_Refresh, &QPushButton::clicked, this,
            Guarded([this] { BTN_RefreshClick(PNL_Config->BTN_Refresh); }));
    connect(p->BTN_Trust_Cert, &QPushButton::clicked, this,
            Guarded([this] { BTN_Trust_CertClick(PNL_Config->BTN_Trust_Cert); }));
    connect(p->BTN_Save_Config, &QPushButton::clicked, this,
            Guarded([this] { BTN_Save_ConfigClick(PNL_Config->BTN_Save_Config); }));
    connect(p->BTN_Load_Config, &QPushButton::clicked, this,
            Guarded([this] { BTN_Load_ConfigClick(PNL_Config->BTN_Load_Config); }));
}

int TF_Main::Cam_To_Set() const
{
    return CBX_N_Cam->currentIndex() + 1;
}

void TF_Main::Load_Cam_Setting(int slot)
{
    if (!Is_Slot(slot)) {
        PNL_Config->Apply_Enabling_Rules();
        return;
    }
    PNL_Config->Load(Cam[slot]);
    if (PNL_Ptz->isVisible())
        PNL_Ptz->PNL_Ptz_N_Cam->Set_Caption(QString::fromStdString(Slot_Caption(slot, Cam[slot].Alias)));
}

void TF_Main::Save_Cam_Setting(int slot)
{
    if (Is_Slot(slot))
        PNL_Config->Save(Cam[slot]);
}

void TF_Main::CBX_N_CamChange(QObject* /*Sender*/)
{
    Load_Cam_Setting(Cam_To_Set());
    Update_Certificate_Offer();
}

void TF_Main::BTN_Trust_CertClick(QObject* /*Sender*/)
{
    const std::string certificate = PNL_Config->Offered_Certificate();
    const int slot = Cam_To_Set();
    if (certificate.empty() || !Is_Slot(slot))
        return;
    Commit();
    Cam[slot].Cert_Sha256 = certificate;
    PNL_Config->Offer_Certificate({});
}

void TF_Main::Update_Certificate_Offer()
{
    const int slot = Cam_To_Set();
    std::string offer;
    if (Is_Slot(slot) && Lib_Cam[static_cast<std::size_t>(slot)]) {
        const T_Fetch_Result& result = Lib_Cam[static_cast<std::size_t>(slot)]->Result();
        // Not once the user pinned it: the worker's last refusal may be older than the pin.
        if (result.Not_Connected && result.Untrusted_Certificate != Cam[slot].Cert_Sha256)
            offer = result.Untrusted_Certificate;
    }
    if (offer != PNL_Config->Offered_Certificate())
        PNL_Config->Offer_Certificate(offer);
}

void TF_Main::CBX_N_CamDropDown(QObject* /*Sender*/)
{
    Commit();
}

void TF_Main::Camera_Check_Change()
{
    Commit();
    Place_Cams();
    PNL_Config->Apply_Url_Rule();
}

void TF_Main::Camera_Edit_Left()
{
    Commit();
}

void TF_Main::Camera_Edit_Key_Up(int Key)
{
    if (Key == Key_Enter)
        Commit();
}

void TF_Main::Record_Mode_Click()
{
    PNL_Config->Apply_Enabling_Rules();
    Commit();
}

void TF_Main::EDT_Frequence_RecExit(QObject* /*Sender*/)
{
    Frequence_Rec = Settings_Panel::Take_Recording_Value(PNL_Config->EDT_Frequence_Rec);
}

void TF_Main::EDT_Frequence_RecKeyUp(QObject* Sender, int Key)
{
    if (Key == Key_Enter)
        EDT_Frequence_RecExit(Sender);
}

void TF_Main::EDT_Delay_Stop_RecExit(QObject* /*Sender*/)
{
    Delay_Stop_Rec = Settings_Panel::Take_Recording_Value(PNL_Config->EDT_Delay_Stop_Rec);
}

void TF_Main::EDT_Delay_Stop_RecKeyUp(QObject* Sender, int Key)
{
    if (Key == Key_Enter)
        EDT_Delay_Stop_RecExit(Sender);
}

void TF_Main::BTN_RefreshClick(QObject* /*Sender*/)
{
    Commit();
    Place_Cams();
    Refresh_Cams();
}

T_General TF_Main::General_Defaults()
{
    T_General defaults;
    defaults.Dest_Folder = Default_Dest_Folder();
    defaults.Dir_Save_Load = Default_Dir_Save_Load();
    return defaults;
}

void TF_Main::Read_General_Ini(const std::string& file)
{
    Apply_General(Read_General(file, General_Defaults()));
}

void TF_Main::Apply_General(const T_General& g)
{
    // A list whose shown item changes runs its change handler at once.
    CBX_Nb_Cam->setCurrentIndex(g.Nb_Cam_Index);
    CBX_N_Cam->setCurrentIndex(g.N_Cam_Index);
    CBX_Size_Pnl->setCurrentIndex(g.Size_Pnl_Index);
    CBX_Frame_Rate->setCurrentIndex(g.Frame_Rate_Index);
    PNL_Visue_Expert->setGeometry(g.Log_Panel.Left, g.Log_Panel.Top, g.Log_Panel.Width, g.Log_Panel.Height);
    PNL_Ptz->move(g.Ptz_Panel.Left, g.Ptz_Panel.Top);
    Full_Screen_Places = {g.Full_Screen_Ptz.Top, g.Full_Screen_Ptz.Left, g.Full_Screen_E_Fct.Top,
                          g.Full_Screen_E_Fct.Left};
    PNL_Config->EDT_Frequence_Rec->Set_Value(g.Frequence_Rec);
    PNL_Config->EDT_Delay_Stop_Rec->Set_Value(g.Delay_Stop_Rec);
    PNL_Config->DED_Dest_Folder->Set_Path_Bytes(g.Dest_Folder);
    Dir_Save_Load = g.Dir_Save_Load;

    EDT_Frequence_RecExit(PNL_Config->EDT_Frequence_Rec);
    EDT_Delay_Stop_RecExit(PNL_Config->EDT_Delay_Stop_Rec);
    CBX_Nb_CamChange(CBX_Nb_Cam);
    CBX_N_CamChange(CBX_N_Cam);
    Record_Mode_Click();
    Nb_Cam = CBX_Nb_Cam->currentIndex() + 1;
}

T_General TF_Main::Current_General() const
{
    T_General g;
    g.Nb_Cam_Index = CBX_Nb_Cam->currentIndex();
    g.N_Cam_Index = CBX_N_Cam->currentIndex();
    g.Size_Pnl_Index = CBX_Size_Pnl->currentIndex();
    g.Frame_Rate_Index = CBX_Frame_Rate->currentIndex();
    const QRect log = PNL_Visue_Expert->geometry();
    g.Log_Panel = {log.top(), log.left(), log.width(), log.height()};
    g.Ptz_Panel = {PNL_Ptz->y(), PNL_Ptz->x()};
    g.Full_Screen_Ptz = {Full_Screen_Places.Full_Screen_Ptz_Top, Full_Screen_Places.Full_Screen_Ptz_Left};
    g.Full_Screen_E_Fct = {Full_Screen_Places.Full_Screen_E_Fct_Top, Full_Screen_Places.Full_Screen_E_Fct_Left};
    g.Frequence_Rec = PNL_Config->EDT_Frequence_Rec->Value();
    g.Delay_Stop_Rec = PNL_Config->EDT_Delay_Stop_Rec->Value();
    g.Dest_Folder = PNL_Config->DED_Dest_Folder->Path_Bytes();
    g.Dir_Save_Load = Dir_Save_Load;
    return g;
}

void TF_Main::Write_General_Ini(const std::string& file)
{
    Write_General(file, Current_General());
}
