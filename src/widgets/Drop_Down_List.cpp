#include "widgets/Drop_Down_List.h"

#include <QPointer>

Drop_Down_List::Drop_Down_List(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
}

void Drop_Down_List::showPopup()
{
    const QPointer<Drop_Down_List> alive = this;
    emit Drop_Down();
    if (alive)
        QComboBox::showPopup();
}
