#include "views/Slot_Look.h"

#include "views/Camera_Grid.h"
#include "widgets/Busy_Animation.h"
#include "widgets/Panel.h"
#include "widgets/Picture_Box.h"

#include <QLabel>
#include <QProgressBar>

void Set_Label_Look(QLabel* label, const QString& text, const QColor& color, bool bold)
{
    if (label->text() != text) {
        label->setText(text);
        label->adjustSize();
    }
    if (label->palette().color(QPalette::WindowText) != color) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, color);
        label->setPalette(palette);
    }
    if (label->font().bold() != bold) {
        QFont font = label->font();
        font.setBold(bold);
        label->setFont(font);
        label->adjustSize();
    }
}

namespace {

// A progress bar paints a new value at once, and that paints and flushes whatever else waits in the
// window too: nine gauges would paint the window nine times a pass. The new value is painted with the
// pass's pictures instead (enabling updates again schedules the gauge's update).
void Set_Gauge_Value(QProgressBar* gauge, int value)
{
    if (gauge->value() == value)
        return;
    gauge->setUpdatesEnabled(false);
    gauge->setValue(value);
    gauge->setUpdatesEnabled(true);
}

}  // namespace

void Draw_Slot_View(T_Cam_Slot_Controls& c, const T_Slot_View& view)
{
    c.PNL_Status_Cam->setVisible(true);
    if (c.PGB_Detect_Cam) {
        if (view.Motion_Gauge)
            Set_Gauge_Value(c.PGB_Detect_Cam, *view.Motion_Gauge);
        c.PGB_Detect_Cam->setVisible(view.Motion_Gauge.has_value());
    }
    if (c.IMG_Status_Rec) {
        if (!view.Record_Icon.isNull())
            c.IMG_Status_Rec->Set_Picture(view.Record_Icon);
        c.IMG_Status_Rec->setVisible(!view.Record_Icon.isNull());
    }
    Set_Label_Look(c.LBL_Cam, view.Caption, view.Look == Slot_Look::Live ? Label_Green : Label_Red, true);

    switch (view.Look) {
    case Slot_Look::Frozen:
        c.IMG_Cam->setVisible(true);
        c.GIF_Cam->setVisible(false);
        break;
    case Slot_Look::Disabled:
        c.PNL_Status_Cam->Set_Color(Qt::black);
        c.PNL_Status_Cam->Set_Caption("disabled");
        c.IMG_Cam->setVisible(false);
        c.GIF_Cam->setVisible(false);
        break;
    case Slot_Look::Waiting:
        c.PNL_Status_Cam->Set_Color(Qt::black);
        c.PNL_Status_Cam->Set_Caption(QString());
        c.IMG_Cam->setVisible(false);
        c.IMG_Cam->Clear();
        c.GIF_Cam->setVisible(true);
        c.GIF_Cam->Set_Animate(true);
        break;
    case Slot_Look::Live:
        c.PNL_Status_Cam->Set_Color(Qt::black);
        c.PNL_Status_Cam->Set_Caption(QString());
        c.GIF_Cam->setVisible(false);
        c.GIF_Cam->Set_Animate(false);
        c.IMG_Cam->setVisible(true);
        c.IMG_Cam->Set_Picture(view.Picture);
        break;
    }
}
