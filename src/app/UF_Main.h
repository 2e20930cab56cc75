#pragma once
#include "model/T_Cam.h"
#include "model/T_General.h"
#include "recording/Record_Rules.h"
#include "views/UF_Full_Screen.h"

#include <QImage>
#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class Camera_Control;
struct Ptz_Command;
struct Http_Settings;
class Camera_Grid;
class Clock;
class Gesture_Filter;
class Log_Panel;
class Ptz_Panel;
class QComboBox;
class QPlainTextEdit;
class QScrollArea;
class QSplitter;
class QStatusBar;
class QTimer;
class Settings_Panel;
class Snapshot_Writer;
struct T_Slot_View;
class TF_Full_Screen;
class TF_Lib_Cam;
class Web_Links;
class Window_Layout;
struct Local_Date_Time;

// The main window F_Main: owner of everything that lives for the whole run (the nine camera records, the
// general settings, the fetch workers, the timers, the remembered layout). Its behaviour lives in the
// focused classes it composes; the handlers are the program's named operations, each a thin call, defined
// in one file per concern: UF_Main.cpp (lifecycle), UF_Main_Grid.cpp, UF_Main_Refresh.cpp,
// UF_Main_Settings.cpp, UF_Main_Config_Files.cpp, UF_Main_Gestures.cpp, UF_Main_Log.cpp, UF_Main_Ptz.cpp,
// UF_Main_Update.cpp. Its state is its own: the program entry creates it and hands it the full-screen
// window; the user drives it through its controls (each named, so tests and tools find them too).
class TF_Main : public QMainWindow {
    Q_OBJECT
public:
    // Creates the window and runs FormCreate. The clock is the machine's unless a test gives its own (it
    // must outlive the window); so are the cameras' HTTP settings (a test points their name lookups at its
    // own name server).
    explicit TF_Main(QWidget* parent = nullptr, const Clock* clock = nullptr,
                     const Http_Settings* camera_http = nullptr);
    ~TF_Main() override;

    // Makes full_screen this window's F_Full_Screen, its commands and tool panel places served from here.
    void Attach_Full_Screen(TF_Full_Screen* full_screen);

    // Runs one refresh pass now (what each tick of the refresh timer does).
    void Refresh_Cams();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The tests' view of the window's inside (tests/app); nothing else reaches past the controls.
    friend class Main_Window_Probe;

    // ---- lifecycle ----
    void FormCreate();
    void FormActivate();
    void FormClose();
    void TMR_Refresh_CamTimer();
    void TMR_UpdateTimer();

    // ---- grid ----
    void CBX_Nb_CamChange(QObject* Sender);
    void Place_Cams();

    // ---- refresh cycle ----
    // The recording step of slot N at the pass's clock reading: the motion gauge and recording icon go
    // into the slot's view; true when a snapshot is due (the pass then saves the picture it showed).
    bool Record_Cam(int N, const Local_Date_Time& now, T_Slot_View& view);

    // ---- settings column ----
    void Load_Cam_Setting(int slot);
    void Save_Cam_Setting(int slot);
    // Slot of the camera being set: item index of CBX_N_Cam + 1.
    int Cam_To_Set() const;
    void CBX_N_CamChange(QObject* Sender);
    void CBX_N_CamDropDown(QObject* Sender);
    // "Cam enable" or "Use URL" changed: commit, lay the grid out, apply the URL row's rule.
    void Camera_Check_Change();
    // One of the camera edits (name, address, port, login, password, threshold, URL, the two times) was
    // left, or Enter released in it: commit.
    void Camera_Edit_Left();
    void Camera_Edit_Key_Up(int Key);
    // One of the four recording mode buttons: apply the enabling rules and commit.
    void Record_Mode_Click();
    void EDT_Frequence_RecExit(QObject* Sender);
    void EDT_Frequence_RecKeyUp(QObject* Sender, int Key);
    void EDT_Delay_Stop_RecExit(QObject* Sender);
    void EDT_Delay_Stop_RecKeyUp(QObject* Sender, int Key);
    void BTN_RefreshClick(QObject* Sender);
    // Pins the certificate on offer for the camera being set (committing the column's edits with it).
    void BTN_Trust_CertClick(QObject* Sender);
    // Offers to trust the certificate the camera being set presented, when its worker refused one.
    void Update_Certificate_Offer();
    void Commit() { Save_Cam_Setting(Cam_To_Set()); }

    // ---- grid gestures (the slot of the control used) ----
    void Camera_Panel_Click(int N);
    void Camera_Picture_Double_Click(int N);
    void Camera_Picture_Mouse_Up(int N, Qt::MouseButton Button);

    // ---- settings store ----
    void Read_General_Ini(const std::string& file);
    void Write_General_Ini(const std::string& file);
    // The general settings as the controls and fields hold them, and put into them (running the change
    // handlers, as reading the settings does).
    T_General Current_General() const;
    void Apply_General(const T_General& general);
    // What a settings file without the general keys gives (the folders are the user's).
    static T_General General_Defaults();
    void BTN_Save_ConfigClick(QObject* Sender);
    void BTN_Load_ConfigClick(QObject* Sender);

    // ---- log panel ----
    void BTN_Start_LogClick(QObject* Sender);
    void BTN_Start_Log_PNLClick(QObject* Sender);
    void BTN_Stop_Log_PNLClick(QObject* Sender);
    void BTN_Exit_LogClick(QObject* Sender);
    // The close button of a floating panel (the log panel, the PTZ panel): it hides.
    void Floating_Panel_Close(bool& Cancel);

    // ---- PTZ panel and commands ----
    void BTN_Show_PtzClick(QObject* Sender);
    // A button of a PTZ panel (this window's or the full-screen window's) was used.
    void Ptz_Command_Click(const Ptz_Command& command, bool set_mode);

    // ---- update check and web links ----
    void BTN_UpdateClick(QObject* Sender);
    void BTN_Site_VeskClick(QObject* Sender);
    void BTN_PaypalClick(QObject* Sender);

    // ---- construction ----
    void Create_Controls();
    void Create_Status_Bar();
    void Connect_Handlers();
    void Connect_Settings_Handlers();
    void Connect_Gestures();
    void Connect_Log_Handlers();
    void Connect_Ptz_Handlers();
    void Connect_Link_Handlers();
    void Set_Constants();
    void Create_Workers();

    Camera_Grid& Grid() { return *grid_; }
    Camera_Control& Commands() { return *commands_; }
    Window_Layout& Layout() { return *layout_; }
    const Clock& Time() const { return *clock_; }
    std::string Datas_Ini() const { return Dir_Data + "datas.ini"; }
    std::string Appli_Ini() const { return Dir_Data + "appli.ini"; }

    // ---- constants and fields of the window ----
    std::string Appli_Name;
    std::string Url_Ver;
    std::string Url_Exe;
    std::string Url_Site;
    std::string Appli_Version;
    std::string Dir_Data;       // data folder, ending in "/"
    bool Creating = false;      // true while FormCreate runs
    T_Cams Cam;                 // the nine camera records, Cam[1]..Cam[9]
    std::string Dir_Save_Load;  // folder the configuration dialogs open in

    // Grid.
    int Nb_Cam = 0;             // number of panels shown
    int Old_Frame_Rate = 0;     // frame-rate index last applied to the refresh timer
    int N_Cam_Full_Screen = 1;  // slot shown by the full-screen window

    // Refresh pass and recording.
    bool Log_Active = false;
    std::string Dest_Folder;
    int Frequence_Rec = 5;
    int Delay_Stop_Rec = 60;
    std::array<std::unique_ptr<TF_Lib_Cam>, Nb_Slots + 1> Lib_Cam;  // Lib_Cam[1]..Lib_Cam[9]
    std::array<T_Rec_Slot, Nb_Slots + 1> Rec_Slot;                  // Rec_State, Tick_Detect, Tick_Rec of 1..9

    // Templates of the recording status icons.
    QImage IMG_Mod_NoRec;
    QImage IMG_Mod_Rec;
    QImage IMG_Mod_RecDet;
    QImage IMG_Mod_NoRec_Timer;

    // Last positions of the full-screen window's tool panels.
    T_Full_Screen_Places Full_Screen_Places;

    // The configuration dialogs, replaceable by tests: given the folder to open in, the chosen path or
    // nothing when the user cancelled.
    std::function<std::optional<std::string>(const std::string& folder)> SDG_Save_Config;
    std::function<std::optional<std::string>(const std::string& folder)> ODG_Load_Config;
    // The save dialog's current file name: empty until a file was chosen in this run.
    std::string Save_Config_File_Name;

    // ---- controls ----
    QSplitter* SPL_Global = nullptr;
    Settings_Panel* PNL_Config = nullptr;
    QScrollArea* SPP_Right = nullptr;
    QWidget* PNL_Cams = nullptr;
    QStatusBar* STB_Main = nullptr;
    QTimer* TMR_Refresh_Cam = nullptr;
    QTimer* TMR_Update = nullptr;
    QComboBox* CBX_Nb_Cam = nullptr;
    QComboBox* CBX_Size_Pnl = nullptr;
    QComboBox* CBX_Frame_Rate = nullptr;
    QComboBox* CBX_N_Cam = nullptr;
    Log_Panel* PNL_Visue_Expert = nullptr;
    QPlainTextEdit* MMO_Log_Display = nullptr;
    Ptz_Panel* PNL_Ptz = nullptr;
    Web_Links* PNL_Info = nullptr;  // hidden: the link labels LBL_Update, LBL_Site_Vesk, LBL_Paypal
    // The full-screen window, created after this one by the program entry; released by FormClose.
    TF_Full_Screen* F_Full_Screen = nullptr;

    const Clock* clock_;
    std::unique_ptr<Http_Settings> camera_http_;
    Window_Layout* layout_ = nullptr;
    Camera_Grid* grid_ = nullptr;
    Gesture_Filter* gestures_ = nullptr;
    std::unique_ptr<Camera_Control> commands_;
    bool shown_once_ = false;
};
