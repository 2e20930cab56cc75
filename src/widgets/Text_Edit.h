#pragma once
#include "Enter_Key_Tracker.h"

#include <QLineEdit>

// The program's one-line text edit: a QLineEdit that reports the two moments the settings column
// commits on, and can move the focus on Enter. Password entry: setEchoMode(QLineEdit::Password).
class Text_Edit : public QLineEdit {
    Q_OBJECT
public:
    explicit Text_Edit(QWidget* parent = nullptr);

    // When on, releasing Enter moves the focus to the next control in the tab chain, after
    // Enter_Released. Off by default.
    void Set_Enter_Moves_Focus(bool moves) { enter_moves_focus_ = moves; }
    bool Enter_Moves_Focus() const { return enter_moves_focus_; }

signals:
    // Enter (Return or keypad Enter) was released in the edit.
    void Enter_Released();
    // The focus went to another control of the window (not a context menu, not another window).
    void Editing_Left();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Enter_Key_Tracker enter_;
    bool enter_moves_focus_ = false;
};
