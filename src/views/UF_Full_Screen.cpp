#include "UF_Full_Screen.h"

#include "Busy_Animation.h"
#include "Panel.h"
#include "Picture_Box.h"

#include <QLabel>

TF_Full_Screen::TF_Full_Screen(QWidget* owner)
    : QWidget(owner, Qt::Window)
{
    setObjectName("F_Full_Screen");
    setWindowTitle("Full Screen");

    PNL_Cam = new Panel(this);
    PNL_Cam->setObjectName("PNL_Cam");
    PNL_Cam->Set_Frame(Panel::Frame_Style::Lowered, Qt::white);
    PNL_Cam->Set_Color(Qt::black);

    PNL_Status_Cam = new Panel(PNL_Cam);
    PNL_Status_Cam->setObjectName("PNL_Status_Cam");
    PNL_Status_Cam->Set_Color(Qt::black);
    PNL_Status_Cam->hide();

    IMG_Cam = new Picture_Box(PNL_Status_Cam);
    IMG_Cam->setObjectName("IMG_Cam");

    GIF_Cam = new Busy_Animation(PNL_Status_Cam);
    GIF_Cam->setObjectName("GIF_Cam");
    GIF_Cam->hide();

    LBL_Cam = new QLabel(PNL_Status_Cam);
    LBL_Cam->setObjectName("LBL_Cam");
    LBL_Cam->move(3, 3);
    hide();
}

void TF_Full_Screen::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PNL_Cam->setGeometry(rect());
    PNL_Status_Cam->setGeometry(PNL_Cam->Client_Rect());
    IMG_Cam->setGeometry(PNL_Status_Cam->rect());
}

void TF_Full_Screen::Show_N_Cam()
{
}
