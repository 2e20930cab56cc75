#pragma once
#include "T_Cam.h"

#include <QMainWindow>

#include <string>

class QScrollArea;
class QSplitter;
class QStatusBar;
class QTimer;
class TF_Full_Screen;
class Window_Layout;

// The main window F_Main: owner of everything that lives for the whole run (the nine camera records, the
// general settings, the fetch workers, the timers, the remembered layout). Its behaviour lives in the
// focused classes it composes; the handlers here are the program's named operations.
class TF_Main : public QMainWindow {
    Q_OBJECT
public:
    explicit TF_Main(QWidget* parent = nullptr);
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

    // ---- controls ----
    QSplitter* SPL_Global = nullptr;
    QWidget* PNL_Config = nullptr;
    QScrollArea* SPP_Right = nullptr;
    QWidget* PNL_Cams = nullptr;
    QStatusBar* STB_Main = nullptr;
    QTimer* TMR_Refresh_Cam = nullptr;
    QTimer* TMR_Update = nullptr;

    // The full-screen window, created after this one by the program entry; released by FormClose.
    TF_Full_Screen* F_Full_Screen = nullptr;

    // ---- handlers ----
    void FormCreate();
    void FormActivate();
    void FormClose();
    void TMR_Refresh_CamTimer();
    void TMR_UpdateTimer();

    // One refresh pass over the shown cameras.
    void Refresh_Cams();

    Window_Layout& Layout() { return *layout_; }
    std::string Datas_Ini() const { return Dir_Data + "datas.ini"; }
    std::string Appli_Ini() const { return Dir_Data + "appli.ini"; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Create_Controls();
    void Create_Status_Bar();
    void Set_Constants();

    Window_Layout* layout_ = nullptr;
    bool shown_once_ = false;
};
