#pragma once
#include <array>
#include <optional>
#include <string_view>

// What a PTZ panel button asks of the camera. A button carries its command as data; nothing is read
// from its name.
enum class Ptz_Action { Jog, Preset, Mirror, Reboot };

struct Ptz_Command {
    Ptz_Action Action = Ptz_Action::Jog;
    // Jog: the camera's step code (0 up, 2 down, 4 left, 6 right); Preset: the preset number 1..10;
    // Mirror: the bit of the mirror state (1 vertical, 2 horizontal); Reboot: 0.
    int Code = 0;
    bool operator==(const Ptz_Command&) const = default;
};

// The one list of the PTZ panel's buttons: each control's name and the command it sends.
struct Ptz_Button {
    std::string_view Name;
    Ptz_Command Command;
};

inline constexpr std::array<Ptz_Button, 17> Ptz_Buttons{{
    {"BTN_Deplace_Haut", {Ptz_Action::Jog, 0}},
    {"BTN_Deplace_Bas", {Ptz_Action::Jog, 2}},
    {"BTN_Deplace_Gauche", {Ptz_Action::Jog, 4}},
    {"BTN_Deplace_Droite", {Ptz_Action::Jog, 6}},
    {"BTN_Go_PTZ_1", {Ptz_Action::Preset, 1}},
    {"BTN_Go_PTZ_2", {Ptz_Action::Preset, 2}},
    {"BTN_Go_PTZ_3", {Ptz_Action::Preset, 3}},
    {"BTN_Go_PTZ_4", {Ptz_Action::Preset, 4}},
    {"BTN_Go_PTZ_5", {Ptz_Action::Preset, 5}},
    {"BTN_Go_PTZ_6", {Ptz_Action::Preset, 6}},
    {"BTN_Go_PTZ_7", {Ptz_Action::Preset, 7}},
    {"BTN_Go_PTZ_8", {Ptz_Action::Preset, 8}},
    {"BTN_Go_PTZ_9", {Ptz_Action::Preset, 9}},
    {"BTN_Go_PTZ_10", {Ptz_Action::Preset, 10}},
    {"BTN_Flip_V", {Ptz_Action::Mirror, 1}},
    {"BTN_Flip_H", {Ptz_Action::Mirror, 2}},
    {"BTN_Reboot", {Ptz_Action::Reboot, 0}},
}};

// The entry of the list for command (every command a panel can send has one).
constexpr const Ptz_Button& Ptz_Button_For(const Ptz_Command& command)
{
    for (const Ptz_Button& button : Ptz_Buttons)
        if (button.Command == command)
            return button;
    return Ptz_Buttons.back();
}
