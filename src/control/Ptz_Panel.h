#pragma once
#include "Caption_Panel.h"

#include <array>

class Panel;
class QLabel;
class QPushButton;
class Repeat_Button;
class Two_State_Switch;

// The floating "PTZ functions" panel PNL_Ptz: four repeating jog buttons, ten preset buttons with
// the Move/Set switch, the reboot button and the two mirror buttons, under a strip naming the camera.
// The main window and the full-screen window each have one.
//
// It holds no logic: it only reports which button was used (the button itself is the sender, so a
// shared handler finds the direction or preset number from its objectName) and, through
// Caption_Panel::Close_Query, its close button. Every control carries its name as objectName.
// Hidden at creation.
class Ptz_Panel : public Caption_Panel {
    Q_OBJECT
public:
    static constexpr int Panel_Width = 205;
    static constexpr int Panel_Height = 195;

    // `parent` is the window the panel floats in.
    explicit Ptz_Panel(QWidget* parent = nullptr);

    Panel* PNL_Ptz_Global = nullptr;
    Panel* PNL_Ptz_N_Cam = nullptr;         // "N-alias" strip; "1-CAM1" until first set
    Panel* PNL_Go_Ptz = nullptr;
    QLabel* LBL_Go_Ptz = nullptr;
    Two_State_Switch* SWT_Preset = nullptr;   // "Move" (off, at start) / "Set"
    std::array<QPushButton*, 10> BTN_Go_PTZ{};  // BTN_Go_PTZ[0] is BTN_Go_PTZ_1
    Panel* PNL_Ptz_Jog = nullptr;
    Repeat_Button* BTN_Deplace_Haut = nullptr;
    Repeat_Button* BTN_Deplace_Gauche = nullptr;
    Repeat_Button* BTN_Deplace_Droite = nullptr;
    Repeat_Button* BTN_Deplace_Bas = nullptr;
    Panel* PNL_PTZ_Ext = nullptr;
    QPushButton* BTN_Reboot = nullptr;
    Panel* PNL_Separe10 = nullptr;
    QPushButton* BTN_Flip_V = nullptr;
    QPushButton* BTN_Flip_H = nullptr;

signals:
    // A jog button clicked, at its press and at each repetition while held.
    void Jog_Click(QObject* sender);
    // A preset button clicked; read SWT_Preset for the mode.
    void Preset_Click(QObject* sender);
    void Reboot_Click(QObject* sender);
    void Flip_Click(QObject* sender);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Create_Presets();
    void Create_Jog();
    void Create_Extras();
};
