// Mouse gestures on the camera grid: a click selects the camera to set, a double click opens it full
// screen, a right click on its picture opens the PTZ panel.
#include "app/UF_Main.h"

#include "app/Guarded_Slot.h"

#include "views/Camera_Grid.h"
#include "views/Slot_From_Name.h"
#include "views/UF_Full_Screen.h"
#include "widgets/Busy_Animation.h"
#include "widgets/Gesture_Filter.h"
#include "widgets/Panel.h"
#include "widgets/Picture_Box.h"

#include <QComboBox>
#include <QSignalBlocker>

void TF_Main::Connect_Gestures()
{
    for (int slot = 1; slot <= Nb_Slots; ++slot) {
        const T_Cam_Slot_Controls& c = Grid().Slot(slot);
        for (QWidget* control : std::initializer_list<QWidget*>{c.PNL_Cam, c.PNL_Status_Cam, c.IMG_Cam, c.GIF_Cam})
            gestures_->Watch(control);
    }
    // The grid's controls are named after their slot; the handlers are given the slot.
    connect(gestures_, &Gesture_Filter::Clicked, this,
            Guarded([this](QObject* sender) { Camera_Panel_Click(Slot_From_Name(sender)); }));
    connect(gestures_, &Gesture_Filter::Double_Clicked, this, Guarded([this](QObject* sender) {
                // The outer panel has no double-click handler; its inner controls do.
                if (!sender->objectName().startsWith("PNL_Cam"))
                    Camera_Picture_Double_Click(Slot_From_Name(sender));
            }));
    connect(gestures_, &Gesture_Filter::Mouse_Up, this, Guarded([this](QObject* sender, Qt::MouseButton button) {
                if (sender->objectName().startsWith("IMG_Cam"))
                    Camera_Picture_Mouse_Up(Slot_From_Name(sender), button);
            }));
}

void TF_Main::Camera_Panel_Click(int N)
{
    Commit();
    if (!Is_Slot(N))
        return;
    {
        const QSignalBlocker quiet(CBX_N_Cam);
        CBX_N_Cam->setCurrentIndex(N - 1);
    }
    CBX_N_CamChange(CBX_N_Cam);
}

void TF_Main::Camera_Picture_Double_Click(int N)
{
    if (!Is_Slot(N) || !F_Full_Screen)
        return;
    N_Cam_Full_Screen = N;
    F_Full_Screen->show();
    F_Full_Screen->activateWindow();
}

void TF_Main::Camera_Picture_Mouse_Up(int N, Qt::MouseButton Button)
{
    if (Button != Qt::RightButton)
        return;
    Camera_Panel_Click(N);
    BTN_Show_PtzClick(nullptr);
}
