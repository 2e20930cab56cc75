#pragma once
#include "views/Grid_Geometry.h"
#include "views/Slot_Look.h"

#include <QObject>

#include <array>

class Busy_Animation;
class Panel;
class Picture_Box;
class QLabel;
class QProgressBar;
class QWidget;

// The controls of one camera slot N, named by a prefix followed by N (PNL_Cam1, IMG_Cam1, ...).
struct T_Cam_Slot_Controls {
    Panel* PNL_Cam = nullptr;                // outer panel with a white lowered frame
    Panel* PNL_Status_Cam = nullptr;         // black background filling PNL_Cam inside its frame; caption "disabled"
    Picture_Box* IMG_Cam = nullptr;          // the latest snapshot, filling PNL_Status_Cam
    Busy_Animation* GIF_Cam = nullptr;       // waiting animation, middle third of the panel
    QLabel* LBL_Cam = nullptr;               // "N-alias" at 3, 2
    QProgressBar* PGB_Detect_Cam = nullptr;  // motion level 0..100, 20 pixels wide at the right edge
    Picture_Box* IMG_Status_Rec = nullptr;   // 24 x 24 recording icon at the bottom-right corner
};

// The nine camera panels on PNL_Cams and their layout. Holds no camera state: the refresh pass fills the
// controls, the main window's handlers react to their gestures.
class Camera_Grid : public QObject {
    Q_OBJECT
public:
    // Creates the nine slots on PNL_Cams, all hidden.
    explicit Camera_Grid(QWidget* PNL_Cams);

    // Controls of slot 1..9 (throws std::out_of_range for another number).
    T_Cam_Slot_Controls& Slot(int slot);
    // Draws what the refresh pass hands for slot 1..9.
    void Show(int slot, const T_Slot_View& view);

    // Lays the grid out: panels of the size of item index size_index, nb_cam of them shown, PNL_Cams sized to
    // hold them; slots above nb_cam are hidden and keep their size and place.
    void Place(int size_index, int nb_cam);

    int Pnl_Width() const { return panel_.Width; }
    int Pnl_Height() const { return panel_.Height; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Create_Slot(int slot);
    static void Anchor_Corner_Controls(T_Cam_Slot_Controls& controls);

    QWidget* PNL_Cams_;
    std::array<T_Cam_Slot_Controls, 9> slots_;
    Grid_Size panel_;
};
