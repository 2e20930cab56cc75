#pragma once
#include "Record_Rules.h"
#include "T_Cam.h"

#include <QImage>

#include <QMainWindow>

#include <array>
#include <memory>
#include <string>

class Camera_Grid;
class Clock;
class QComboBox;
class QPlainTextEdit;
class QScrollArea;
class QSplitter;
class QStatusBar;
class QTimer;
class Settings_Panel;
class Snapshot_Writer;
struct Local_Date_Time;
class TF_Full_Screen;
class TF_Lib_Cam;
class Window_Layout;

// The main window F_Main: owner of everything that lives for the whole run (the nine camera records, the
// general settings, the fetch workers, the timers, the remembered layout). Its behaviour lives in the
// focused classes it composes; the handlers here are the program's named operations, each a thin call.
class TF_Main : public QMainWindow {
    Q_OBJECT
public:
    // The clock is the machine's unless a test gives its own (it must outlive the window).
    explicit TF_Main(QWidget* parent = nullptr, const Clock* clock = nullptr);
    ~TF_Main() override;

    // ---- constants and fields of the window ----
    std::string Appli_Name;
    std::string Url_Ver;
    std::string Url_Exe;
    std::string Url_Site;
    std::string Appli_Version;
    std::string Dir_Data;          // data folder, ending in "/"
    bool Creating = false;         // true while FormCreate runs
    T_Cams Cam;                    // the nine camera records, Cam[1]..Cam[9]
    std::string Dir_Save_Load;     // folder the configuration dialogs open in

    // Grid.
    int Nb_Cam = 0;                // number of panels shown
    int Old_Frame_Rate = 0;        // frame-rate index last applied to the refresh timer
    int N_Cam_Full_Screen = 1;     // slot shown by the full-screen window

    // Refresh pass and recording.
    bool Log_Active = false;
    std::string Dest_Folder;
    int Frequence_Rec = 5;
    int Delay_Stop_Rec = 60;
    std::array<std::unique_ptr<TF_Lib_Cam>, Nb_Slots + 1> Lib_Cam;   // Lib_Cam[1]..Lib_Cam[9]
    std::array<T_Rec_Slot, Nb_Slots + 1> Rec_Slot;                  // Rec_State, Tick_Detect, Tick_Rec of 1..9

    // Templates of the recording status icons.
    QImage IMG_Mod_NoRec;
    QImage IMG_Mod_Rec;
    QImage IMG_Mod_RecDet;
    QImage IMG_Mod_NoRec_Timer;

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
    QPlainTextEdit* MMO_Log_Display = nullptr;

    Camera_Grid& Grid() { return *grid_; }

    // The full-screen window, created after this one by the program entry; released by FormClose.
    TF_Full_Screen* F_Full_Screen = nullptr;

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
    void Refresh_Cams();
    // The recording step of slot N, with the pass's clock reading and work objects.
    void Record_Cam(int N, const Local_Date_Time& now, Snapshot_Writer& writer);

    // ---- settings panel ----
    void CBX_N_CamChange(QObject* Sender);
    void Load_Cam_Setting(int slot);
    void Save_Cam_Setting(int slot);
    // Slot of the camera being set: item index of CBX_N_Cam + 1.
    int Cam_To_Set() const;

    // ---- settings store ----
    void Read_General_Ini(const std::string& file);
    void Write_General_Ini(const std::string& file);

    Window_Layout& Layout() { return *layout_; }
    const Clock& Time() const { return *clock_; }
    std::string Datas_Ini() const { return Dir_Data + "datas.ini"; }
    std::string Appli_Ini() const { return Dir_Data + "appli.ini"; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Create_Controls();
    void Create_Status_Bar();
    void Connect_Handlers();
    void Set_Constants();
    void Create_Workers();
    void Mirror_Full_Screen(int N);

    const Clock* clock_;
    Window_Layout* layout_ = nullptr;
    Camera_Grid* grid_ = nullptr;
    bool shown_once_ = false;
};
