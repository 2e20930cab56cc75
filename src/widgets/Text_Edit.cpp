#include "Text_Edit.h"

#include <QFocusEvent>
#include <QPointer>

Text_Edit::Text_Edit(QWidget* parent) : QLineEdit(parent)
{
}

void Text_Edit::keyPressEvent(QKeyEvent* event)
{
    enter_.Pressed(*event);
    QLineEdit::keyPressEvent(event);
}

void Text_Edit::keyReleaseEvent(QKeyEvent* event)
{
    if (!enter_.Released(*event)) {
        QLineEdit::keyReleaseEvent(event);
        return;
    }
    event->accept();
    const QPointer<Text_Edit> alive = this;
    emit Enter_Released();
    // The handler may have moved the focus or hidden the edit; only move on from here.
    if (alive && enter_moves_focus_ && hasFocus())
        focusNextChild();
}

void Text_Edit::focusOutEvent(QFocusEvent* event)
{
    enter_.Focus_Lost();
    QLineEdit::focusOutEvent(event);
    if (Leaves_Edit(event->reason()))
        emit Editing_Left();
}
