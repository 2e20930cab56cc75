#pragma once
#include <QKeyEvent>

// Key and focus rules shared by the program's edits (Text_Edit, Integer_Edit, Time_Edit).
//
// "Enter released" is the release of Return or keypad Enter (key code 13) whose press also
// happened in the same edit, once per key stroke: auto-repeat releases are not counted, and a
// release arriving after the focus came from another control is ignored.
class Enter_Key_Tracker {
public:
    static bool Is_Enter(const QKeyEvent& event)
    {
        return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    }

    void Pressed(const QKeyEvent& event)
    {
        if (Is_Enter(event))
            down_ = true;
    }

    // True when this release completes an Enter key stroke of the edit.
    bool Released(const QKeyEvent& event)
    {
        if (!Is_Enter(event) || event.isAutoRepeat() || !down_)
            return false;
        down_ = false;
        return true;
    }

    void Focus_Lost() { down_ = false; }

private:
    bool down_ = false;
};

// True when losing the focus for `reason` means the user left the edit: a context menu opening
// or another window becoming active does not move the focus inside this window.
inline bool Leaves_Edit(Qt::FocusReason reason)
{
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}
