#include "views/UF_Full_Screen.h"

#include "views/Camera_Grid.h"
#include "views/Slot_Look.h"

#include "control/Ptz_Panel.h"
#include "model/T_Cam.h"
#include "util/U_Lib_Util_Vesk.h"
#include "views/Zoom_Math.h"
#include "widgets/Busy_Animation.h"
#include "widgets/Caption_Label.h"
#include "widgets/Caption_Panel.h"
#include "widgets/Gesture_Filter.h"
#include "widgets/Icons.h"
#include "widgets/Panel.h"
#include "widgets/Picture_Box.h"
#include "widgets/Two_State_Switch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

namespace {

constexpr int Button_Width = 66;
constexpr int Button_Height = 37;
constexpr int Button_Gap_Bottom = 3;
constexpr int Strip_Height = 17;
constexpr int E_Fct_Width = 121;
constexpr int E_Fct_Height = 368;

const QColor Pad_Color{37, 37, 37};

Panel* New_Strip(QWidget* parent, const char* name)
{
    auto* strip = new Panel(parent);
    strip->setObjectName(QString::fromLatin1(name));
    strip->Set_Color(Qt::black);
    strip->Set_Caption_Color(Qt::white);
    QFont bold = strip->font();
    bold.setBold(true);
    strip->setFont(bold);
    return strip;
}

QPushButton* New_Button(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    // The window reads Escape only while none of its controls holds the focus; its buttons never take it.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QLabel* New_Pad_Picture(QWidget* parent, const char* name, const QPixmap& picture, const QRect& place)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setPixmap(picture);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(place);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

}  // namespace

TF_Full_Screen::TF_Full_Screen(QWidget* owner) : QWidget(owner, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName("F_Full_Screen");
    setWindowTitle("Full Screen");
    setFocusPolicy(Qt::StrongFocus);

    Create_Picture();
    Create_Buttons();
    Create_Ptz();
    Create_E_Fct();
    Connect_Gestures();
    FormCreate();
    hide();
}

TF_Full_Screen::~TF_Full_Screen()
{
    // The main window may be part-destroyed when it releases this window: call nothing back from here on.
    F_Main = T_Full_Screen_Host{};
}

void TF_Full_Screen::Create_Picture()
{
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
    IMG_Cam->setToolTip(
        QStringLiteral("- Make a double click to go exit\r\n- Make a right click to open PTZ functions"));

    GIF_Cam = new Busy_Animation(PNL_Status_Cam);
    GIF_Cam->setObjectName("GIF_Cam");
    GIF_Cam->hide();

    LBL_Cam = new Caption_Label(PNL_Status_Cam);
    LBL_Cam->setObjectName("LBL_Cam");
    LBL_Cam->move(3, 3);
}

void TF_Full_Screen::Create_Buttons()
{
    BTN_Show_Ptz = New_Button(this, "BTN_Show_Ptz", "PTZ");
    BTN_Show_Zoom = New_Button(this, "BTN_Show_Zoom", "E-Fct");
    BTN_Exit = New_Button(this, "BTN_Exit", "Exit");
    connect(BTN_Show_Ptz, &QPushButton::clicked, this, [this] { BTN_Show_PtzClick(); });
    connect(BTN_Show_Zoom, &QPushButton::clicked, this, [this] { BTN_Show_ZoomClick(); });
    connect(BTN_Exit, &QPushButton::clicked, this, [this] { BTN_ExitClick(); });
}

void TF_Full_Screen::Create_Ptz()
{
    PNL_Ptz = new Ptz_Panel(this);
    for (QAbstractButton* button : PNL_Ptz->findChildren<QAbstractButton*>())
        button->setFocusPolicy(Qt::NoFocus);
    // Its close button only hides it (Caption_Panel's own behaviour): no handler here.
    connect(PNL_Ptz, &Ptz_Panel::Command_Click, this, [this](const Ptz_Command& command, bool set_mode) {
        if (F_Main.Ptz_Command_Click)
            F_Main.Ptz_Command_Click(command, set_mode);
    });
}

void TF_Full_Screen::Create_E_Fct()
{
    PNL_E_Fct = new Caption_Panel(this);
    PNL_E_Fct->setObjectName("PNL_E_Fct");
    PNL_E_Fct->Set_Caption(QStringLiteral("e functions"));
    PNL_E_Fct->Set_Sizable(true);
    PNL_E_Fct->resize(E_Fct_Width, E_Fct_Height);
    PNL_E_Fct->hide();

    QWidget* client = PNL_E_Fct->Content();
    PNL_E_Fct_N_Cam = New_Strip(client, "PNL_E_Fct_N_Cam");

    PNL_Zoom = new Panel(client);
    PNL_Zoom->setObjectName("PNL_Zoom");
    PNL_Zoom->Set_Color(Pad_Color);

    // The pad, centred on a column 113 pixels wide: the arrow cross, "+", the bar, "-".
    constexpr int Middle = 56;
    constexpr int Arrow = 32;
    const QSize arrow(Arrow, Arrow);
    Img_Zoom_Up = New_Pad_Picture(PNL_Zoom, "Img_Zoom_Up", Icons::Arrow(Icons::Direction::Up, arrow),
                                  QRect(Middle - Arrow / 2, 6, Arrow, Arrow));
    Img_Zoom_Left = New_Pad_Picture(PNL_Zoom, "Img_Zoom_Left", Icons::Arrow(Icons::Direction::Left, arrow),
                                    QRect(Middle - Arrow / 2 - Arrow, 6 + Arrow, Arrow, Arrow));
    Img_Zoom_Full = New_Pad_Picture(PNL_Zoom, "Img_Zoom_Full", Icons::Full_View(QSize(25, 25)),
                                    QRect(Middle - 12, 6 + Arrow + 4, 25, 25));
    Img_Zoom_Right = New_Pad_Picture(PNL_Zoom, "Img_Zoom_Right", Icons::Arrow(Icons::Direction::Right, arrow),
                                     QRect(Middle + Arrow / 2, 6 + Arrow, Arrow, Arrow));
    Img_Zoom_Down = New_Pad_Picture(PNL_Zoom, "Img_Zoom_Down", Icons::Arrow(Icons::Direction::Down, arrow),
                                    QRect(Middle - Arrow / 2, 6 + 2 * Arrow, Arrow, Arrow));

    BTN_Zoom_Plus = New_Button(PNL_Zoom, "BTN_Zoom_Plus", "+");
    BTN_Zoom_Plus->setGeometry(Middle - 11, 112, 23, 23);
    connect(BTN_Zoom_Plus, &QPushButton::clicked, this, [this] { BTN_Zoom_PlusClick(); });

    TKB_Zoom = new QSlider(Qt::Vertical, PNL_Zoom);
    TKB_Zoom->setObjectName("TKB_Zoom");
    TKB_Zoom->setRange(Zoom_Math::Bar_Min, Zoom_Math::Bar_Max);
    TKB_Zoom->setTickPosition(QSlider::TicksLeft);
    TKB_Zoom->setTickInterval(1);
    TKB_Zoom->setSingleStep(1);
    TKB_Zoom->setPageStep(1);
    // Keyboard moves need a click on the bar first; they take effect at the next mouse release on it.
    TKB_Zoom->setFocusPolicy(Qt::ClickFocus);
    TKB_Zoom->setGeometry(Middle - 10, 139, 20, 137);
    TKB_Zoom->setValue(Zoom_Math::Bar_Position(1.0));

    BTN_Zoom_Moins = New_Button(PNL_Zoom, "BTN_Zoom_Moins", "-");
    BTN_Zoom_Moins->setGeometry(Middle - 11, 280, 23, 23);
    connect(BTN_Zoom_Moins, &QPushButton::clicked, this, [this] { BTN_Zoom_MoinsClick(); });

    Lay_Out_E_Fct();
    // The strip and the pad follow the panel's client area when the user resizes it.
    PNL_E_Fct->Content()->installEventFilter(this);
}

void TF_Full_Screen::Lay_Out_E_Fct()
{
    const QRect client_rect = PNL_E_Fct->Content()->rect();
    PNL_E_Fct_N_Cam->setGeometry(0, 0, client_rect.width(), Strip_Height);
    PNL_Zoom->setGeometry(0, Strip_Height, client_rect.width(), std::max(0, client_rect.height() - Strip_Height));
}

bool TF_Full_Screen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && PNL_E_Fct != nullptr && watched == PNL_E_Fct->Content())
        Lay_Out_E_Fct();
    return QWidget::eventFilter(watched, event);
}

void TF_Full_Screen::Connect_Gestures()
{
    gestures_ = new Gesture_Filter(this);
    for (QWidget* control :
         std::initializer_list<QWidget*>{PNL_Status_Cam, IMG_Cam, GIF_Cam, TKB_Zoom, Img_Zoom_Up, Img_Zoom_Left,
                                         Img_Zoom_Right, Img_Zoom_Down, Img_Zoom_Full})
        gestures_->Watch(control);

    connect(gestures_, &Gesture_Filter::Double_Clicked, this, [this](QObject* sender) {
        if (sender == PNL_Status_Cam || sender == IMG_Cam || sender == GIF_Cam)
            BTN_ExitClick();
    });
    connect(gestures_, &Gesture_Filter::Mouse_Up, this,
            [this](QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers, QPoint) {
                if (sender == IMG_Cam)
                    IMG_CamMouseUp(sender, button);
                else if (sender == TKB_Zoom)
                    TKB_ZoomMouseUp();
            });
    connect(gestures_, &Gesture_Filter::Clicked, this, [this](QObject* sender) {
        if (sender == Img_Zoom_Up)
            Img_Zoom_UpClick();
        else if (sender == Img_Zoom_Down)
            Img_Zoom_DownClick();
        else if (sender == Img_Zoom_Left)
            Img_Zoom_LeftClick();
        else if (sender == Img_Zoom_Right)
            Img_Zoom_RightClick();
        else if (sender == Img_Zoom_Full)
            Img_Zoom_FullClick();
    });
}

// ---- layout ----

void TF_Full_Screen::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Lay_Out();
}

void TF_Full_Screen::Lay_Out()
{
    PNL_Cam->setGeometry(rect());
    PNL_Status_Cam->setGeometry(PNL_Cam->Client_Rect());
    if (img_fills_)
        IMG_Cam->setGeometry(PNL_Status_Cam->rect());
    const int top = height() - Button_Gap_Bottom - Button_Height;
    BTN_Show_Ptz->setGeometry(3, top, Button_Width, Button_Height);
    BTN_Show_Zoom->setGeometry(68, top, Button_Width, Button_Height);
    BTN_Exit->setGeometry(133, top, Button_Width, Button_Height);
}

bool TF_Full_Screen::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(event);
}

// ---- zoom ----

void TF_Full_Screen::Apply_Zoom()
{
    if (img_fills_) {
        Base_Width = IMG_Cam->width();
        Base_Height = IMG_Cam->height();
    }
    img_fills_ = false;
    const Zoom_Math::Bounds bounds = Zoom_Math::Picture_Bounds(Base_Width, Base_Height, {Zoom, Offset_X, Offset_Y});
    IMG_Cam->setGeometry(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
    TKB_Zoom->setValue(Zoom_Math::Bar_Position(Zoom));
}

void TF_Full_Screen::Set_Zoom_State(double zoom, double offset_x, double offset_y)
{
    Zoom = zoom;
    Offset_X = offset_x;
    Offset_Y = offset_y;
    Apply_Zoom();
}

void TF_Full_Screen::BTN_Zoom_PlusClick()
{
    Set_Zoom_State(Zoom_Math::Zoom_Plus(Zoom), Offset_X, Offset_Y);
}

void TF_Full_Screen::BTN_Zoom_MoinsClick()
{
    Set_Zoom_State(Zoom_Math::Zoom_Moins(Zoom), Offset_X, Offset_Y);
}

void TF_Full_Screen::TKB_ZoomMouseUp()
{
    Set_Zoom_State(Zoom_Math::Zoom_From_Bar(TKB_Zoom->value()), Offset_X, Offset_Y);
}

void TF_Full_Screen::Img_Zoom_UpClick()
{
    const Zoom_Math::Zoom_State s = Zoom_Math::Pan_Up({Zoom, Offset_X, Offset_Y});
    Set_Zoom_State(s.Zoom, s.Offset_X, s.Offset_Y);
}

void TF_Full_Screen::Img_Zoom_DownClick()
{
    const Zoom_Math::Zoom_State s = Zoom_Math::Pan_Down({Zoom, Offset_X, Offset_Y});
    Set_Zoom_State(s.Zoom, s.Offset_X, s.Offset_Y);
}

void TF_Full_Screen::Img_Zoom_LeftClick()
{
    const Zoom_Math::Zoom_State s = Zoom_Math::Pan_Left({Zoom, Offset_X, Offset_Y});
    Set_Zoom_State(s.Zoom, s.Offset_X, s.Offset_Y);
}

void TF_Full_Screen::Img_Zoom_RightClick()
{
    const Zoom_Math::Zoom_State s = Zoom_Math::Pan_Right({Zoom, Offset_X, Offset_Y});
    Set_Zoom_State(s.Zoom, s.Offset_X, s.Offset_Y);
}

void TF_Full_Screen::Img_Zoom_FullClick()
{
    const Zoom_Math::Zoom_State s = Zoom_Math::Full_View();
    Set_Zoom_State(s.Zoom, s.Offset_X, s.Offset_Y);
}

// ---- window events ----

void TF_Full_Screen::FormCreate() {}

void TF_Full_Screen::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QWidget::showEvent(event);
}

void TF_Full_Screen::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        FormHide();
    QWidget::hideEvent(event);
}

void TF_Full_Screen::FormShow()
{
    const T_Full_Screen_Places places = F_Main.Read_Places ? F_Main.Read_Places() : T_Full_Screen_Places{};
    PNL_Ptz->move(places.Full_Screen_Ptz_Left, places.Full_Screen_Ptz_Top);
    PNL_E_Fct->move(places.Full_Screen_E_Fct_Left, places.Full_Screen_E_Fct_Top);
}

void TF_Full_Screen::FormHide()
{
    if (F_Main.Store_Places)
        F_Main.Store_Places({PNL_Ptz->y(), PNL_Ptz->x(), PNL_E_Fct->y(), PNL_E_Fct->x()});
}

void TF_Full_Screen::FormActivate()
{
    if (!(windowState() & Qt::WindowMaximized))
        setWindowState((windowState() & ~(Qt::WindowMinimized | Qt::WindowFullScreen)) | Qt::WindowMaximized);
    img_fills_ = true;
    Lay_Out();
    Zoom = 1.0;
    Offset_X = 0;
    Offset_Y = 0;
    TKB_Zoom->setValue(Zoom_Math::Bar_Position(1.0));
}

void TF_Full_Screen::keyPressEvent(QKeyEvent* event)
{
    // Keys reach the window itself only when no control holds the focus, or when the control that
    // holds it passed the key on; only the former counts (the window does not preview keys).
    QWidget* focus = focusWidget();
    const bool control_has_focus = focus != nullptr && focus != this;
    if (!control_has_focus && FormKeyDown(event->key(), event->modifiers(), QApplication::mouseButtons())) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TF_Full_Screen::FormKeyDown(int key, Qt::KeyboardModifiers shift, Qt::MouseButtons buttons)
{
    const bool plain =
        !(shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) && buttons == Qt::NoButton;
    if (key != Qt::Key_Escape || !plain)
        return false;
    close();
    return true;
}

void TF_Full_Screen::BTN_ExitClick()
{
    close();
}

// ---- tool panels ----

void TF_Full_Screen::IMG_CamMouseUp(QObject* /*Sender*/, Qt::MouseButton Button)
{
    if (Button != Qt::RightButton)
        return;
    PNL_Ptz->show();
    PNL_E_Fct->show();
    Show_N_Cam();
}

void TF_Full_Screen::BTN_Show_PtzClick()
{
    PNL_Ptz->show();
    Show_N_Cam();
}

void TF_Full_Screen::BTN_Show_ZoomClick()
{
    PNL_E_Fct->show();
    Show_N_Cam();
}

void TF_Full_Screen::Show(int slot, const T_Slot_View& view)
{
    N_Cam = slot;
    // The waiting animation: a box of a third of the panel, a third of the way in.
    const int third_w = PNL_Status_Cam->width() / 3;
    const int third_h = PNL_Status_Cam->height() / 3;
    GIF_Cam->setGeometry(third_w, third_h, third_w, third_h);
    T_Cam_Slot_Controls controls;
    controls.PNL_Cam = PNL_Cam;
    controls.PNL_Status_Cam = PNL_Status_Cam;
    controls.IMG_Cam = IMG_Cam;
    controls.GIF_Cam = GIF_Cam;
    controls.LBL_Cam = LBL_Cam;
    Draw_Slot_View(controls, view);
    Show_N_Cam();
}

void TF_Full_Screen::Clear_Picture()
{
    IMG_Cam->Clear();
}

void TF_Full_Screen::Show_N_Cam()
{
    if (!Is_Slot(N_Cam))
        return;
    const std::string alias = F_Main.Alias_Of ? F_Main.Alias_Of(N_Cam) : std::string();
    const QString caption = QString::fromStdString(Slot_Caption(N_Cam, alias));
    if (PNL_Ptz->isVisibleTo(this))
        PNL_Ptz->PNL_Ptz_N_Cam->Set_Caption(caption);
    if (PNL_E_Fct->isVisibleTo(this))
        PNL_E_Fct_N_Cam->Set_Caption(caption);
}
