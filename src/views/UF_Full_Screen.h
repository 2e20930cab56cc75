#pragma once
#include <QWidget>

#include <functional>
#include <string>

class Busy_Animation;
struct T_Slot_View;
struct Ptz_Command;
class Caption_Panel;
class Gesture_Filter;
class Panel;
class Picture_Box;
class Ptz_Panel;
class QLabel;
class QPushButton;
class QSlider;

// Top and left of the full-screen window's two tool panels, as the main window keeps them between
// showings and in the settings (F_Full_Screen.PNL_Ptz.Top, ...).
struct T_Full_Screen_Places {
    int Full_Screen_Ptz_Top = 0;
    int Full_Screen_Ptz_Left = 0;
    int Full_Screen_E_Fct_Top = 0;
    int Full_Screen_E_Fct_Left = 0;
    bool operator==(const T_Full_Screen_Places&) const = default;
};

// What the full-screen window needs from the main window. An empty member does nothing (or gives
// the default places, or no alias).
struct T_Full_Screen_Host {
    // The main window's camera commands: this window's PTZ panel hands over what its buttons ask.
    std::function<void(const Ptz_Command& command, bool set_mode)> Ptz_Command_Click;
    // The stored alias of a slot 1..9.
    std::function<std::string(int slot)> Alias_Of;
    // The kept places of the tool panels: read when the window shows, stored when it hides.
    std::function<T_Full_Screen_Places()> Read_Places;
    std::function<void(const T_Full_Screen_Places&)> Store_Places;
};

// F_Full_Screen: one camera over the whole screen, with a digital zoom and pan and its own PTZ panel.
// Fed by the main window's refresh passes, which hand it the same value they hand the camera's grid
// panel (Show). Hidden until a grid panel is double-clicked; closing it (Escape, "Exit", a double click
// on the picture) hides it, never destroys it.
//
// The zoom does not resample the picture: it sizes and moves IMG_Cam, and the window clips it
// (arithmetic in Zoom_Math). Each time the window becomes active the picture fills it again at zoom 1.
class TF_Full_Screen : public QWidget {
    Q_OBJECT
public:
    explicit TF_Full_Screen(QWidget* owner = nullptr);
    ~TF_Full_Screen() override;

    // The main window's side; set it once after creation.
    T_Full_Screen_Host F_Main;

    // ---- fields ----
    int N_Cam = 0;       // slot shown; written by the refresh pass
    int Base_Width = 0;  // IMG_Cam's size at zoom 1.0, taken while it fills PNL_Status_Cam
    int Base_Height = 0;
    double Zoom = 1.0;    // never below 0.2, no upper limit
    double Offset_X = 0;  // pixels; positive shows more of the right part
    double Offset_Y = 0;  // pixels; positive shows more of the lower part

    // ---- controls ----
    Panel* PNL_Cam = nullptr;
    Panel* PNL_Status_Cam = nullptr;
    Picture_Box* IMG_Cam = nullptr;
    Busy_Animation* GIF_Cam = nullptr;
    QLabel* LBL_Cam = nullptr;
    QPushButton* BTN_Show_Ptz = nullptr;
    QPushButton* BTN_Show_Zoom = nullptr;
    QPushButton* BTN_Exit = nullptr;
    Ptz_Panel* PNL_Ptz = nullptr;
    Caption_Panel* PNL_E_Fct = nullptr;
    Panel* PNL_E_Fct_N_Cam = nullptr;
    Panel* PNL_Zoom = nullptr;
    QLabel* Img_Zoom_Up = nullptr;
    QLabel* Img_Zoom_Left = nullptr;
    QLabel* Img_Zoom_Right = nullptr;
    QLabel* Img_Zoom_Down = nullptr;
    QLabel* Img_Zoom_Full = nullptr;
    QPushButton* BTN_Zoom_Plus = nullptr;
    QSlider* TKB_Zoom = nullptr;
    QPushButton* BTN_Zoom_Moins = nullptr;

    // True while IMG_Cam is aligned to fill PNL_Status_Cam (after FormActivate, until Apply_Zoom).
    bool IMG_Cam_Fills() const { return img_fills_; }

    // Draws slot's view (look, caption, picture; the grid's motion gauge and recording icon are not
    // shown here), remembers slot as N_Cam and names it in the tool panels' strips.
    void Show(int slot, const T_Slot_View& view);
    // Lets go of the picture (while hidden nothing is shown).
    void Clear_Picture();

    // Sizes and places IMG_Cam from Zoom and the offsets and moves the track bar.
    void Apply_Zoom();
    // Writes "N-alias" into the strips of the visible tool panels; nothing when N_Cam is not 1..9.
    void Show_N_Cam();

    // ---- handlers ----
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormHide();
    // True when the key closed the window.
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift, Qt::MouseButtons buttons);
    void BTN_ExitClick();
    void IMG_CamMouseUp(QObject* Sender, Qt::MouseButton Button);
    void BTN_Show_PtzClick();
    void BTN_Show_ZoomClick();
    void BTN_Zoom_PlusClick();
    void BTN_Zoom_MoinsClick();
    void TKB_ZoomMouseUp();
    void Img_Zoom_UpClick();
    void Img_Zoom_DownClick();
    void Img_Zoom_LeftClick();
    void Img_Zoom_RightClick();
    void Img_Zoom_FullClick();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Create_Picture();
    void Create_Buttons();
    void Create_Ptz();
    void Create_E_Fct();
    void Connect_Gestures();
    void Lay_Out();
    void Lay_Out_E_Fct();
    void Set_Zoom_State(double zoom, double offset_x, double offset_y);

    Gesture_Filter* gestures_ = nullptr;
    bool img_fills_ = true;
};
