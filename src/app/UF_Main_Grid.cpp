// The grid handlers of the main window: the three grid lists and the layout of the camera panels.
#include "app/UF_Main.h"

#include "views/Camera_Grid.h"
#include "views/Grid_Geometry.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QTimer>

void TF_Main::CBX_Nb_CamChange(QObject* /*Sender*/)
{
    Save_Cam_Setting(Cam_To_Set());
    const int remembered = CBX_N_Cam->currentIndex();
    Nb_Cam = CBX_Nb_Cam->currentIndex() + 1;
    {
        // Refilling the list is not a choice of the user: its own handler runs once, below.
        const QSignalBlocker quiet(CBX_N_Cam);
        CBX_N_Cam->clear();
        for (int n = 1; n <= Nb_Cam; ++n)
            CBX_N_Cam->addItem(QString::number(n));
        CBX_N_Cam->setCurrentIndex(remembered);
        if (CBX_N_Cam->currentIndex() < 0)
            CBX_N_Cam->setCurrentIndex(0);
    }
    CBX_N_CamChange(CBX_N_Cam);
    Place_Cams();
    const int frame_rate = CBX_Frame_Rate->currentIndex();
    if (frame_rate != Old_Frame_Rate)
        TMR_Refresh_Cam->stop();
    // Setting a running timer's interval restarts it: only a new value is set.
    if (const auto interval = Frame_Rate_Interval(frame_rate); interval && *interval != TMR_Refresh_Cam->interval())
        TMR_Refresh_Cam->setInterval(*interval);
    if (!TMR_Refresh_Cam->isActive())
        TMR_Refresh_Cam->start();
    Old_Frame_Rate = frame_rate;
}

void TF_Main::Place_Cams()
{
    Grid().Place(CBX_Size_Pnl->currentIndex(), Nb_Cam);
}
