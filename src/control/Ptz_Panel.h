#pragma once
#include "control/Ptz_Command.h"
#include "widgets/Caption_Panel.h"

#include <array>

class Panel;
class QAbstractButton;
class QLabel;
class QPushButton;
class Repeat_Button;
class Two_State_Switch;

// The floating "PTZ functions" panel PNL_Ptz: four repeating jog buttons, ten preset buttons with
// the Move/Set switch, the reboot button and the two mirror buttons, under a strip naming the camera.
// The main window and the full-screen window each have one.
//
// It holds no logic: it only reports the command of the button that was used (each button is made from
// the Ptz_Buttons list and carries its command) and, through Caption_Panel::Close_Query, its close
// button. Every control carries its name as objectName. Hidden at creation.
class Ptz_Panel : public Caption_Panel {
    Q_OBJECT
public:
    static constexpr int Panel_Width = 205;
    static constexpr int Panel_Height = 195;

    // `parent` is the window the panel floats in.
    explicit Ptz_Panel(QWidget* parent = nullptr);

    Panel* PNL_Ptz_Global = nullptr;
    Panel* PNL_Ptz_N_Cam = nullptr;  // "N-alias" strip; "1-CAM1" until first set
    Panel* PNL_Go_Ptz = nullptr;
    QLabel* LBL_Go_Ptz = nullptr;
    Two_State_Switch* SWT_Preset = nullptr;     // "Move" (off, at start) / "Set"
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

    // The command of a button of this panel (named after it in Ptz_Buttons).
    QAbstractButton* Button_For(const Ptz_Command& command) const;

signals:
    // A button was used: a jog button at its press and at each repetition while held. For a preset,
    // set_mode is the state of SWT_Preset at the click ("Set"); false for every other command.
    void Command_Click(const Ptz_Command& command, bool set_mode);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Makes button send command when clicked (a repeating button at each repetition).
    void Connect_Command(QAbstractButton* button, const Ptz_Command& command);
    void Create_Presets();
    void Create_Jog();
    void Create_Extras();
};
