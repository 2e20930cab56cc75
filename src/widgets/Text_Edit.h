#pragma once
#include "widgets/Enter_Key_Tracker.h"

#include <QLineEdit>

#include <string>

// How stored text bytes read on screen: as UTF-8 when they are valid UTF-8 (the platform's text
// encoding), else as Windows-1252 (what a settings file written on Windows holds; Latin-1 when the
// Qt build has no Windows-1252 decoder). Every byte sequence gives a readable text, none is
// replaced by U+FFFD.
QString Text_From_Bytes(const std::string& bytes);

// The program's one-line text edit: a QLineEdit that reports the two moments the settings column
// commits on, and can move the focus on Enter. Password entry: setEchoMode(QLineEdit::Password).
//
// Stored texts go in with Set_Bytes and come out with Bytes(): a text the user did not edit comes
// back byte for byte, whatever its encoding, so showing and committing a record never changes it.
class Text_Edit : public QLineEdit {
    Q_OBJECT
public:
    explicit Text_Edit(QWidget* parent = nullptr);

    // Shows Text_From_Bytes(bytes) and remembers both the bytes and the text the edit then holds.
    void Set_Bytes(const std::string& bytes);
    // The bytes given to Set_Bytes while the edit still holds the text it showed for them (also when
    // the user typed the same text again); else the text in UTF-8. An edit never given bytes gives
    // its text in UTF-8.
    std::string Bytes() const;

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
    std::string given_bytes_;
    QString shown_text_;
    bool has_bytes_ = false;
    Enter_Key_Tracker enter_;
    bool enter_moves_focus_ = false;
};
