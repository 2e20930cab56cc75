#pragma once
#include "control/Ptz_Command.h"
#include "model/T_Cam.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <string>

class QObject;
class T_Http_Client;

// Answer of the confirmation box DBX_Fonction_PTZ: Other when it was closed without either button.
enum class Dbx_Answer { Yes, No, Other };

// The camera commands behind the PTZ buttons of the main window and of the full-screen window.
//
// Every handler acts on the selected slot (read at each click; anything outside 1..9 makes every
// handler do nothing) and reads that slot's stored record, not the settings panel's edit fields.
// The buttons hand over their commands as values (Ptz_Command). Requests run synchronously on the
// calling (user-interface) thread, each slot through a client object of its own, created on first
// use, so a command never shares a connection with the slot's snapshot fetch nor waits for it;
// its time-outs (Command_Http_Settings) bound how long a silent camera holds the thread.
// Failures are dropped: the user sees the camera react, or nothing.
class Camera_Control {
public:
    using Selected_Slot_Function = std::function<int()>;
    using Confirm_Function = std::function<Dbx_Answer(const std::string& question)>;

    // `cams` must outlive this object. `selected_slot` gives CBX_N_Cam's item index + 1.
    // `parent_window` owns the default confirmation box (may be null).
    Camera_Control(const T_Cams& cams, Selected_Slot_Function selected_slot, QWidget* parent_window = nullptr);
    ~Camera_Control();
    Camera_Control(const Camera_Control&) = delete;
    Camera_Control& operator=(const Camera_Control&) = delete;

    // Replaces the confirmation box (tests); an empty function restores the default: a question box
    // with Yes and No over the parent window.
    void Set_Confirm(Confirm_Function DBX_Fonction_PTZ);

    // What a PTZ panel's button asks: the command below that matches its action. set_mode is the
    // panel's Move/Set switch, for a preset.
    void Send(const Ptz_Command& command, bool set_mode);

    // One step: code 0 up, 2 down, 4 left, 6 right.
    void Jog(int code);
    // Stores the current position as preset n (1..10; Set_Mode, after the user confirms) or moves to it.
    void Gere_Preset_PTZ(int n, bool Set_Mode);
    // Reads the mirror state and writes it back with bit (1 vertical, 2 horizontal) inverted.
    void Toggle_Mirror(int bit);
    // Reboots the camera when the user answers Yes.
    void BTN_RebootClick();

    // The command client of a slot (1..9), created on first use, answering challenges with the slot's login.
    T_Http_Client& Client(int slot);
    // The command client of a slot if it was created, else null.
    const T_Http_Client* Existing_Client(int slot) const;

private:
    // The selected slot, or 0 when none is.
    int Slot() const;
    Dbx_Answer DBX_Fonction_PTZ(const std::string& question);

    const T_Cams& cams_;
    Selected_Slot_Function selected_slot_;
    QPointer<QWidget> parent_window_;
    Confirm_Function confirm_;
    std::array<std::unique_ptr<T_Http_Client>, Nb_Slots + 1> clients_;  // [1]..[9]
};
