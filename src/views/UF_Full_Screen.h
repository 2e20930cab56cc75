#pragma once
#include <QWidget>

#include <functional>
#include <string>

class Busy_Animation;
class Panel;
class Picture_Box;
class QLabel;

// F_Full_Screen: one camera over the whole screen, fed by the main window's refresh passes, which mirror
// the camera's grid panel into it. Hidden until a grid panel is double-clicked.
class TF_Full_Screen : public QWidget {
    Q_OBJECT
public:
    explicit TF_Full_Screen(QWidget* owner = nullptr);

    // The slot shown; written by the refresh pass.
    int N_Cam = 0;

    Panel* PNL_Cam = nullptr;
    Panel* PNL_Status_Cam = nullptr;
    Picture_Box* IMG_Cam = nullptr;
    Busy_Animation* GIF_Cam = nullptr;
    QLabel* LBL_Cam = nullptr;

    // Names the camera shown in the title strips of the visible tool panels.
    void Show_N_Cam();

    // The alias of a slot, as the main window holds it (set by the main window).
    std::function<std::string(int slot)> Alias_Of;

protected:
    void resizeEvent(QResizeEvent* event) override;
};
