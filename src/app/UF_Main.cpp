#include "app/UF_Main.h"

#include "app/Guarded_Slot.h"

#include "acquisition/UF_Lib_Cam.h"
#include "app/Tambrel_Application.h"
#include "app/Window_Layout.h"
#include "control/Camera_Control.h"
#include "control/Ptz_Panel.h"
#include "model/Cams_Ini.h"
#include "platform/Clock.h"
#include "platform/Folders.h"
#include "update/Donation_Url.h"
#include "update/Web_Links.h"
#include "views/Camera_Grid.h"
#include "views/Log_Panel.h"
#include "views/Settings_Panel.h"
#include "views/UF_Full_Screen.h"
#include "widgets/Drop_Down_List.h"
#include "widgets/Gesture_Filter.h"
#include "widgets/Icons.h"
#include "widgets/Integer_Edit.h"
#include "widgets/Modal_Windows.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>

#ifndef TAMBREL_CONTACT
#define TAMBREL_CONTACT "contact@tambrel.invalid"
#endif

namespace {
constexpr int Splitter_Bar_Width = 10;
constexpr int Settings_Column_Width = 248;
}  // namespace

TF_Main::TF_Main(QWidget* parent, const Clock* clock, const Http_Settings* camera_http)
    : QMainWindow(parent),
      clock_(clock ? clock : &System_Clock()),
      camera_http_(camera_http ? std::make_unique<Http_Settings>(*camera_http) : nullptr)
{
    setObjectName("F_Main");
    setWindowTitle("Tambrel");
    setWindowIcon(Icons::App_Icon());
    Create_Controls();
    Create_Status_Bar();
    Connect_Handlers();
    FormCreate();
}

TF_Main::~TF_Main()
{
    // The placement reaches appli.ini when the window is destroyed, on every way out of the program.
    if (layout_)
        layout_->Write_Placement();
    // Workers not stopped by FormClose (the program ended another way) stop here, all at once.
    for (auto& worker : Lib_Cam)
        if (worker)
            worker->Stop();
}

void TF_Main::Create_Controls()
{
    move(0, 0);
    resize(770, 658);
    setMinimumSize(280, 280);

    SPL_Global = new QSplitter(Qt::Horizontal, this);
    SPL_Global->setObjectName("SPL_Global");
    SPL_Global->setHandleWidth(Splitter_Bar_Width);
    SPL_Global->setChildrenCollapsible(true);

    PNL_Config = new Settings_Panel(SPL_Global);
    PNL_Config->setProperty("Pane_Index", 0);
    CBX_Nb_Cam = PNL_Config->CBX_Nb_Cam;
    CBX_Size_Pnl = PNL_Config->CBX_Size_Pnl;
    CBX_Frame_Rate = PNL_Config->CBX_Frame_Rate;
    CBX_N_Cam = PNL_Config->CBX_N_Cam;

    SPP_Right = new QScrollArea(SPL_Global);
    SPP_Right->setObjectName("SPP_Right");
    SPP_Right->setProperty("Pane_Index", 1);
    SPP_Right->setWidgetResizable(false);
    SPP_Right->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PNL_Cams = new QWidget;
    PNL_Cams->setObjectName("PNL_Cams");
    SPP_Right->setWidget(PNL_Cams);
    grid_ = new Camera_Grid(PNL_Cams);

    SPL_Global->addWidget(PNL_Config);
    SPL_Global->addWidget(SPP_Right);
    SPL_Global->setStretchFactor(0, 0);
    SPL_Global->setStretchFactor(1, 1);
    setCentralWidget(SPL_Global);

    // Floating panels over the window, hidden at start.
    PNL_Visue_Expert = new Log_Panel(this);
    MMO_Log_Display = PNL_Visue_Expert->MMO_Log_Display;
    PNL_Ptz = new Ptz_Panel(this);
    PNL_Ptz->setGeometry(353, 343, Ptz_Panel::Panel_Width, Ptz_Panel::Panel_Height);

    PNL_Info = new Web_Links(this);

    gestures_ = new Gesture_Filter(this);
    commands_ = std::make_unique<Camera_Control>(
        Cam, [this] { return Cam_To_Set(); }, this);

    TMR_Refresh_Cam = new QTimer(this);
    TMR_Refresh_Cam->setObjectName("TMR_Refresh_Cam");

    IMG_Mod_NoRec = Icons::Image_Mod_NoRec();
    IMG_Mod_Rec = Icons::Image_Mod_Rec();
    IMG_Mod_RecDet = Icons::Image_Mod_RecDet();
    IMG_Mod_NoRec_Timer = Icons::Image_Mod_NoRec_Timer();

    TMR_Update = new QTimer(this);
    TMR_Update->setObjectName("TMR_Update");
    TMR_Update->setInterval(10000);

    // Form definition: the bar at 248 pixels of the client width.
    SPL_Global->resize(770, 658);
    SPL_Global->setSizes({Settings_Column_Width, 770 - Settings_Column_Width - Splitter_Bar_Width});
    layout_ = new Window_Layout(this, SPL_Global, "SPL_Global", this);
}

void TF_Main::Create_Status_Bar()
{
    STB_Main = new QStatusBar(this);
    STB_Main->setObjectName("STB_Main");
    STB_Main->setSizeGripEnabled(true);
    setStatusBar(STB_Main);
}

void TF_Main::Connect_Handlers()
{
    connect(TMR_Refresh_Cam, &QTimer::timeout, this, Guarded([this] { TMR_Refresh_CamTimer(); }));
    connect(TMR_Update, &QTimer::timeout, this, Guarded([this] { TMR_UpdateTimer(); }));
    for (QComboBox* list : {CBX_Nb_Cam, CBX_Size_Pnl, CBX_Frame_Rate})
        connect(list, &QComboBox::currentIndexChanged, this, Guarded([this, list] { CBX_Nb_CamChange(list); }));
    connect(CBX_N_Cam, &QComboBox::currentIndexChanged, this, Guarded([this] { CBX_N_CamChange(CBX_N_Cam); }));
    Connect_Settings_Handlers();
    Connect_Gestures();
    Connect_Log_Handlers();
    Connect_Ptz_Handlers();
    Connect_Link_Handlers();
}

void TF_Main::Set_Constants()
{
    Appli_Name = "Tambrel";
    const std::string site = "http://" + Maker_Host();
    Url_Ver = site + "/vesk-soft/Tambrel/Tambrel.ver";
    Url_Exe = site + "/vesk-soft/Tambrel/Tambrel.exe";
    Url_Site = site + "/software/index.html";
    Appli_Version = "V" TAMBREL_VERSION;
}

void TF_Main::Create_Workers()
{
    TF_Lib_Cam::Options options;
    if (camera_http_)
        options.Http = *camera_http_;
    for (int slot = 1; slot <= Nb_Slots; ++slot)
        Lib_Cam[static_cast<std::size_t>(slot)] = std::make_unique<TF_Lib_Cam>(options);
}

void TF_Main::FormCreate()
{
    Creating = true;
    try {
        Set_Constants();
        PNL_Info->LBL_Site_Vesk->Set_Target(Url_Site);
        PNL_Info->LBL_Update->Set_Target(Url_Exe);
        STB_Main->showMessage(
            QString::fromStdString(std::string(TAMBREL_CONTACT) + "  |  " + Appli_Name + " " + Appli_Version));
        Dir_Data = Data_Folder();
        if (!Folder_Exists(Dir_Data))
            Create_Folders(Dir_Data);
        layout_->Bind(Appli_Ini());
        layout_->Read_Splitter();
        Read_General_Ini(Datas_Ini());
        for (T_Rec_Slot& slot : Rec_Slot)
            slot.Tick_Rec = 0;
        Frequence_Rec = PNL_Config->EDT_Frequence_Rec->Value();
        Delay_Stop_Rec = PNL_Config->EDT_Delay_Stop_Rec->Value();
        Read_Cams_Ini(Datas_Ini(), Cam);
        Load_Cam_Setting(Cam_To_Set());
        Place_Cams();
        Create_Workers();
        TMR_Refresh_Cam->start();
        Refresh_Cams();
    } catch (...) {
        AppException(std::current_exception());
    }
    TMR_Update->start();
    Creating = false;
}

void TF_Main::FormActivate()
{
    layout_->Set_Proportional(false);
    const int bar = layout_->Bar_Position();
    if (bar > 0 && bar < 238)
        layout_->Set_Bar_Position(240);
}

void TF_Main::FormClose()
{
    if (F_Full_Screen) {
        F_Full_Screen->deleteLater();
        F_Full_Screen = nullptr;
    }
    TMR_Refresh_Cam->stop();
    // Every worker is told to stop first (their fetches are aborted together), then released.
    for (auto& worker : Lib_Cam)
        if (worker)
            worker->Stop();
    for (auto& worker : Lib_Cam)
        worker.reset();
    // An appli.ini that cannot be written must not keep the settings from reaching datas.ini.
    layout_->Write_Splitter();
    Write_General_Ini(Datas_Ini());
    Save_Cam_Setting(Cam_To_Set());
    Write_Cams_Ini(Datas_Ini(), Cam);
}

void TF_Main::TMR_Refresh_CamTimer()
{
    Refresh_Cams();
}

bool TF_Main::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(event);
}

void TF_Main::closeEvent(QCloseEvent* event)
{
    // A question still waiting in its own loop below this call (the preset question when the update
    // offer is accepted, or a signal closes the window) is closed first: it answers No.
    Close_Modal_Windows();
    FormClose();
    event->accept();
}

void TF_Main::showEvent(QShowEvent* event)
{
    if (!shown_once_) {
        shown_once_ = true;
        layout_->Read_Placement();
    }
    QMainWindow::showEvent(event);
}
