#include "UF_Full_Screen.h"

TF_Full_Screen::TF_Full_Screen(QWidget* owner)
    : QWidget(owner, Qt::Window)
{
    setObjectName("F_Full_Screen");
    setWindowTitle("Full Screen");
    hide();
}
