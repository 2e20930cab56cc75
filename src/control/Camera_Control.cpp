#include "control/Camera_Control.h"

#include "acquisition/Http_Client.h"
#include "acquisition/Snapshot_Url.h"
#include "control/Camera_Commands.h"
#include "control/Command_Send.h"
#include "control/Flip_State.h"

#include <QMessageBox>

#include <vector>

Camera_Control::Camera_Control(const T_Cams& cams, Selected_Slot_Function selected_slot, QWidget* parent_window)
    : cams_(cams), selected_slot_(std::move(selected_slot)), parent_window_(parent_window)
{}

Camera_Control::~Camera_Control() = default;

void Camera_Control::Set_Confirm(Confirm_Function DBX_Fonction_PTZ)
{
    confirm_ = std::move(DBX_Fonction_PTZ);
}

int Camera_Control::Slot() const
{
    const int slot = selected_slot_ ? selected_slot_() : 0;
    return Is_Slot(slot) ? slot : 0;
}

T_Http_Client& Camera_Control::Client(int slot)
{
    if (!Is_Slot(slot))
        throw std::out_of_range("camera slot " + std::to_string(slot));
    std::unique_ptr<T_Http_Client>& client = clients_[static_cast<std::size_t>(slot)];
    if (!client)
        client = std::make_unique<T_Http_Client>(Command_Http_Settings());
    // The record may have changed since the last command: challenges are answered with its login now.
    client->Set_Login(Camera_Login(cams_[slot]));
    return *client;
}

const T_Http_Client* Camera_Control::Existing_Client(int slot) const
{
    return Is_Slot(slot) ? clients_[static_cast<std::size_t>(slot)].get() : nullptr;
}

Dbx_Answer Camera_Control::DBX_Fonction_PTZ(const std::string& question)
{
    if (confirm_)
        return confirm_(question);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), QString::fromStdString(question),
                    QMessageBox::Yes | QMessageBox::No, parent_window_.data());
    switch (box.exec()) {
    case QMessageBox::Yes: return Dbx_Answer::Yes;
    case QMessageBox::No: return Dbx_Answer::No;
    default: return Dbx_Answer::Other;
    }
}

void Camera_Control::Send(const Ptz_Command& command, bool set_mode)
{
    switch (command.Action) {
    case Ptz_Action::Jog: Jog(command.Code); break;
    case Ptz_Action::Preset: Gere_Preset_PTZ(command.Code, set_mode); break;
    case Ptz_Action::Mirror: Toggle_Mirror(command.Code); break;
    case Ptz_Action::Reboot: BTN_RebootClick(); break;
    }
}

void Camera_Control::Jog(int code)
{
    const int slot = Slot();
    if (slot == 0)
        return;
    Send_Command(Client(slot), Jog_Url(cams_[slot], code));
}

void Camera_Control::Gere_Preset_PTZ(int n, bool Set_Mode)
{
    if (n < 1 || n > 10)
        return;
    const int slot = Slot();
    if (slot == 0)
        return;
    // Only an explicit No keeps the preset: the box closed any other way goes on.
    if (Set_Mode && DBX_Fonction_PTZ(Preset_Question(n)) == Dbx_Answer::No)
        return;
    Send_Command(Client(slot), Preset_Url(cams_[slot], Preset_Command(n, Set_Mode)));
}

void Camera_Control::Toggle_Mirror(int bit)
{
    const int slot = Slot();
    if (slot == 0)
        return;
    T_Http_Client& client = Client(slot);
    std::vector<std::string> answer;
    if (!Query_Command(client, Read_Params_Url(cams_[slot]), answer))
        return;
    const std::optional<int> current = Current_Flip(answer);
    if (!current)
        return;
    Send_Command(client, Write_Flip_Url(cams_[slot], Toggled_Flip(*current, bit)));
}

void Camera_Control::BTN_RebootClick()
{
    const int slot = Slot();
    if (slot == 0)
        return;
    if (DBX_Fonction_PTZ(Reboot_Question(cams_[slot].Alias)) != Dbx_Answer::Yes)
        return;
    Send_Command(Client(slot), Reboot_Url(cams_[slot]));
}
