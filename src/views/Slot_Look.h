#pragma once
#include <QColor>
#include <QString>

class QImage;
class QLabel;
struct T_Cam_Slot_Controls;

// The looks a refresh pass gives a handled camera slot.
enum class Slot_Look {
    Frozen,     // full-screen filter: picture control shown with what it holds, animation hidden, label red
    Disabled,   // camera disabled: black panel captioned "disabled", no picture, label red
    Waiting,    // no picture: the waiting animation runs, label red
    Live,       // picture shown, label green
};

// Label colours of the grid and the full-screen window.
inline const QColor Label_Red{229, 20, 0};
inline const QColor Label_Green{0, 137, 0};

// Gives the slot's controls a look; the caption is "N-alias". Live needs the picture to show. The motion
// gauge and the recording icon are hidden (the recording step shows them again when due). Only what
// differs from the current state is changed, so a pass over unchanged slots repaints nothing.
void Apply_Slot_Look(T_Cam_Slot_Controls& controls, Slot_Look look, const QString& caption, const QImage* picture);

// Sets a label's text, font colour and boldness when they differ.
void Set_Label_Look(QLabel* label, const QString& text, const QColor& color, bool bold);
