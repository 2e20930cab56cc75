#pragma once
#include <QColor>
#include <QImage>
#include <QString>

#include <optional>

class QLabel;
struct T_Cam_Slot_Controls;

// The looks a refresh pass gives a handled camera slot.
enum class Slot_Look {
    Frozen,    // full-screen filter: picture control shown with what it holds, animation hidden, label red
    Disabled,  // camera disabled: black panel captioned "disabled", no picture, label red
    Waiting,   // no picture: the waiting animation runs, label red
    Live,      // picture shown, label green
};

// Label colours of the grid and the full-screen window.
inline const QColor Label_Red{229, 20, 0};
inline const QColor Label_Green{0, 137, 0};

// What a refresh pass hands the views for one camera slot: the grid's panel and, for the camera shown
// full screen, the full-screen window draw it; neither reads the other's controls.
struct T_Slot_View {
    Slot_Look Look = Slot_Look::Waiting;
    QString Caption;                  // "N-alias", green when Live, red otherwise
    QImage Picture;                   // the picture a Live slot shows (implicitly shared)
    std::optional<int> Motion_Gauge;  // the motion gauge's position 0..100, when it shows
    QImage Record_Icon;               // the recording status icon, when it shows
};

// Draws view on a slot's controls (those of the grid or of the full-screen window; a control that is
// null is not drawn). Only what differs from the current state is changed, so a pass over unchanged
// slots repaints nothing.
void Draw_Slot_View(T_Cam_Slot_Controls& controls, const T_Slot_View& view);

// Sets a label's text, font colour and boldness when they differ.
void Set_Label_Look(QLabel* label, const QString& text, const QColor& color, bool bold);
