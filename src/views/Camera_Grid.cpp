#include "views/Camera_Grid.h"

#include "widgets/Busy_Animation.h"
#include "widgets/Caption_Label.h"
#include "widgets/Panel.h"
#include "widgets/Picture_Box.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>

#include <stdexcept>

namespace {

const QString Picture_Hint = QStringLiteral("- Make a single click on the stream panel to select the cam to set\r\n"
                                            "- Make a double click to full screen view\r\n"
                                            "- Make a right click to open PTZ functions");
const QString Full_Screen_Hint = QStringLiteral("Make a double click to full screen view");

constexpr int Gauge_Width = 20;
constexpr int Icon_Size = 24;

QString Name(const char* prefix, int slot)
{
    return QString::fromLatin1(prefix) + QString::number(slot);
}

}  // namespace

Camera_Grid::Camera_Grid(QWidget* PNL_Cams) : QObject(PNL_Cams), PNL_Cams_(PNL_Cams), panel_(Panel_Size(2))
{
    for (int slot = 1; slot <= 9; ++slot)
        Create_Slot(slot);
}

void Camera_Grid::Show(int slot, const T_Slot_View& view)
{
    Draw_Slot_View(Slot(slot), view);
}

T_Cam_Slot_Controls& Camera_Grid::Slot(int slot)
{
    if (slot < 1 || slot > 9)
        throw std::out_of_range("camera slot " + std::to_string(slot));
    return slots_[static_cast<std::size_t>(slot - 1)];
}

void Camera_Grid::Create_Slot(int slot)
{
    T_Cam_Slot_Controls& c = Slot(slot);

    c.PNL_Cam = new Panel(PNL_Cams_);
    c.PNL_Cam->setObjectName(Name("PNL_Cam", slot));
    c.PNL_Cam->Set_Frame(Panel::Frame_Style::Lowered, Qt::white);
    c.PNL_Cam->Set_Color(Qt::black);
    c.PNL_Cam->hide();

    c.PNL_Status_Cam = new Panel(c.PNL_Cam);
    c.PNL_Status_Cam->setObjectName(Name("PNL_Status_Cam", slot));
    c.PNL_Status_Cam->Set_Color(Qt::black);
    c.PNL_Status_Cam->setToolTip(Full_Screen_Hint);
    c.PNL_Status_Cam->hide();
    c.PNL_Status_Cam->installEventFilter(this);

    c.IMG_Cam = new Picture_Box(c.PNL_Status_Cam);
    c.IMG_Cam->setObjectName(Name("IMG_Cam", slot));
    c.IMG_Cam->setToolTip(Picture_Hint);

    c.GIF_Cam = new Busy_Animation(c.PNL_Status_Cam);
    c.GIF_Cam->setObjectName(Name("GIF_Cam", slot));
    c.GIF_Cam->setToolTip(Full_Screen_Hint);
    c.GIF_Cam->hide();

    c.LBL_Cam = new Caption_Label(Name("CAM", slot), c.PNL_Status_Cam);
    c.LBL_Cam->setObjectName(Name("LBL_Cam", slot));
    c.LBL_Cam->move(3, 2);
    c.LBL_Cam->setAttribute(Qt::WA_TransparentForMouseEvents);
    c.LBL_Cam->adjustSize();

    c.PGB_Detect_Cam = new QProgressBar(c.PNL_Status_Cam);
    c.PGB_Detect_Cam->setObjectName(Name("PGB_Detect_Cam", slot));
    c.PGB_Detect_Cam->setOrientation(Qt::Vertical);
    c.PGB_Detect_Cam->setRange(0, 100);
    c.PGB_Detect_Cam->setValue(0);
    c.PGB_Detect_Cam->setFormat("%p%");
    c.PGB_Detect_Cam->setToolTip("% of live motion detection");
    c.PGB_Detect_Cam->hide();

    c.IMG_Status_Rec = new Picture_Box(c.PNL_Status_Cam);
    c.IMG_Status_Rec->setObjectName(Name("IMG_Status_Rec", slot));
    c.IMG_Status_Rec->resize(Icon_Size, Icon_Size);
    c.IMG_Status_Rec->hide();

    // Design-time size: the panel of the default size, inner panel inside the frame.
    c.PNL_Cam->resize(panel_.Width, panel_.Height);
    c.PNL_Status_Cam->setGeometry(c.PNL_Cam->Client_Rect());
}

void Camera_Grid::Anchor_Corner_Controls(T_Cam_Slot_Controls& c)
{
    const int w = c.PNL_Status_Cam->width();
    const int h = c.PNL_Status_Cam->height();
    c.IMG_Cam->setGeometry(0, 0, w, h);
    // The gauge keeps 4 pixels to the right and top edges, its bottom 28 pixels above the bottom edge;
    // the icon keeps 2 pixels to the right and bottom edges.
    c.PGB_Detect_Cam->setGeometry(w - 4 - Gauge_Width, 4, Gauge_Width, std::max(h - 4 - 28, 0));
    c.IMG_Status_Rec->move(w - 2 - Icon_Size, h - 2 - Icon_Size);
}

bool Camera_Grid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        for (T_Cam_Slot_Controls& c : slots_) {
            if (c.PNL_Status_Cam == watched) {
                Anchor_Corner_Controls(c);
                break;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void Camera_Grid::Place(int size_index, int nb_cam)
{
    panel_ = Panel_Size(size_index);
    const int w = panel_.Width;
    const int h = panel_.Height;
    if (const auto size = Cams_Panel_Size(nb_cam, panel_))
        PNL_Cams_->resize(size->Width, size->Height);
    const int columns = Grid_Columns(nb_cam);

    for (int slot = 1; slot <= 9; ++slot) {
        T_Cam_Slot_Controls& c = Slot(slot);
        c.GIF_Cam->setGeometry(w / 3, h / 3, w / 3, h / 3);
        c.PNL_Status_Cam->Set_Color(Qt::black);
        c.PNL_Cam->hide();
        if (slot <= nb_cam) {
            c.PNL_Cam->resize(w, h);
            c.PNL_Status_Cam->setGeometry(c.PNL_Cam->Client_Rect());
            const Grid_Point at = Slot_Position(slot, columns, panel_);
            c.PNL_Cam->move(at.Left, at.Top);
            c.PNL_Cam->show();
        }
    }
}
