#include "control/Ptz_Panel.h"

#include "widgets/Icons.h"
#include "widgets/Panel.h"
#include "widgets/Repeat_Button.h"
#include "widgets/Two_State_Switch.h"

#include <QLabel>
#include <QPushButton>

namespace {

// Colours given as Windows colour values (0x00BBGGRR).
QColor Color_From_Bgr(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

const QColor Global_Color = Color_From_Bgr(2434341);
const QColor Separator_Color = Color_From_Bgr(3684408);

Panel* New_Panel(QWidget* parent, const char* name, const QRect& place, const QColor& color)
{
    auto* panel = new Panel(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setGeometry(place);
    panel->Set_Color(color);
    return panel;
}

QString Name_Of(const Ptz_Command& command)
{
    const std::string_view name = Ptz_Button_For(command).Name;
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QPushButton* New_Button(QWidget* parent, const QString& name, const QString& caption, const QRect& place)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

}  // namespace

Ptz_Panel::Ptz_Panel(QWidget* parent) : Caption_Panel(parent)
{
    setObjectName(QStringLiteral("PNL_Ptz"));
    Set_Caption(QStringLiteral("PTZ functions"));
    Set_Caption_Point_Size(9);
    Set_Sizable(true);
    setGeometry(353, 343, Panel_Width, Panel_Height);

    PNL_Ptz_Global = New_Panel(Content(), "PNL_Ptz_Global", Content()->rect(), Global_Color);

    PNL_Ptz_N_Cam = New_Panel(PNL_Ptz_Global, "PNL_Ptz_N_Cam", QRect(0, 0, PNL_Ptz_Global->width(), 17), Qt::black);
    PNL_Ptz_N_Cam->Set_Caption(QStringLiteral("1-CAM1"));
    PNL_Ptz_N_Cam->Set_Caption_Color(Qt::white);
    QFont bold = PNL_Ptz_N_Cam->font();
    bold.setBold(true);
    PNL_Ptz_N_Cam->setFont(bold);

    Create_Presets();
    Create_Jog();
    Create_Extras();
    hide();
}

QAbstractButton* Ptz_Panel::Button_For(const Ptz_Command& command) const
{
    return findChild<QAbstractButton*>(Name_Of(command));
}

void Ptz_Panel::Connect_Command(QAbstractButton* button, const Ptz_Command& command)
{
    const auto send = [this, command] {
        emit Command_Click(command, command.Action == Ptz_Action::Preset && SWT_Preset->isChecked());
    };
    if (auto* repeating = qobject_cast<Repeat_Button*>(button))
        connect(repeating, &Repeat_Button::Repeat_Click, this, send);
    else
        connect(button, &QAbstractButton::clicked, this, send);
}

void Ptz_Panel::resizeEvent(QResizeEvent* event)
{
    Caption_Panel::resizeEvent(event);
    // The background fills the client area and the strip its width, whatever size the user gives.
    if (PNL_Ptz_Global != nullptr) {
        PNL_Ptz_Global->setGeometry(Content()->rect());
        PNL_Ptz_N_Cam->setGeometry(0, 0, PNL_Ptz_Global->width(), 17);
    }
}

void Ptz_Panel::Create_Presets()
{
    PNL_Go_Ptz = New_Panel(PNL_Ptz_Global, "PNL_Go_Ptz", QRect(6, 23, 106, 98), Qt::black);

    LBL_Go_Ptz = new QLabel(QStringLiteral("Preset position"), PNL_Go_Ptz);
    LBL_Go_Ptz->setObjectName(QStringLiteral("LBL_Go_Ptz"));
    LBL_Go_Ptz->setGeometry(0, 0, PNL_Go_Ptz->width(), 17);
    LBL_Go_Ptz->setAlignment(Qt::AlignCenter);
    QPalette light = LBL_Go_Ptz->palette();
    light.setColor(QPalette::WindowText, Qt::white);
    LBL_Go_Ptz->setPalette(light);

    SWT_Preset = new Two_State_Switch(PNL_Go_Ptz);
    SWT_Preset->setObjectName(QStringLiteral("SWT_Preset"));
    SWT_Preset->Set_Captions(QStringLiteral("Move"), QStringLiteral("Set"));
    SWT_Preset->setGeometry(12, 17, 82, 24);
    SWT_Preset->setPalette(light);

    static constexpr std::array<int, 5> Lefts{6, 25, 44, 63, 82};
    for (int i = 0; i < 10; ++i) {
        const Ptz_Command preset{Ptz_Action::Preset, i + 1};
        const QRect place(Lefts[static_cast<std::size_t>(i % 5)], i < 5 ? 46 : 70, 19, 23);
        QPushButton* button = New_Button(PNL_Go_Ptz, Name_Of(preset), QString::number(i + 1), place);
        BTN_Go_PTZ[static_cast<std::size_t>(i)] = button;
        Connect_Command(button, preset);
    }
}

void Ptz_Panel::Create_Jog()
{
    PNL_Ptz_Jog = New_Panel(PNL_Ptz_Global, "PNL_Ptz_Jog", QRect(117, 23, 74, 98), Qt::black);

    const auto jog = [this](int code, const QRect& place, Icons::Direction direction) {
        const Ptz_Command command{Ptz_Action::Jog, code};
        auto* button = new Repeat_Button(PNL_Ptz_Jog);
        button->setObjectName(Name_Of(command));
        button->setGeometry(place);
        button->Set_Repeat_Delay(200);
        button->Set_Repeat_Interval(20);
        button->setIcon(QIcon(Icons::Arrow(direction, place.size())));
        Connect_Command(button, command);
        return button;
    };
    BTN_Deplace_Haut = jog(0, QRect(22, 15, 29, 18), Icons::Direction::Up);
    BTN_Deplace_Gauche = jog(4, QRect(4, 35, 17, 27), Icons::Direction::Left);
    BTN_Deplace_Droite = jog(6, QRect(52, 35, 17, 27), Icons::Direction::Right);
    BTN_Deplace_Bas = jog(2, QRect(22, 63, 29, 18), Icons::Direction::Down);
}

void Ptz_Panel::Create_Extras()
{
    PNL_PTZ_Ext = New_Panel(PNL_Ptz_Global, "PNL_PTZ_Ext", QRect(6, 126, 185, 39), Qt::black);

    const Ptz_Command reboot{Ptz_Action::Reboot, 0};
    BTN_Reboot = New_Button(PNL_PTZ_Ext, Name_Of(reboot), QStringLiteral("Reboot cam"), QRect(6, 3, 95, 32));
    BTN_Reboot->setToolTip(QStringLiteral("Reboot the camera"));
    Connect_Command(BTN_Reboot, reboot);

    PNL_Separe10 = New_Panel(PNL_PTZ_Ext, "PNL_Separe10", QRect(106, 3, 3, 32), Separator_Color);

    const auto mirror = [this](int bit, int left, const QPixmap& picture, const char* hint) {
        const Ptz_Command command{Ptz_Action::Mirror, bit};
        QPushButton* button = New_Button(PNL_PTZ_Ext, Name_Of(command), QString(), QRect(left, 3, 32, 32));
        button->setIcon(QIcon(picture));
        button->setIconSize(QSize(24, 24));
        button->setToolTip(QString::fromLatin1(hint));
        Connect_Command(button, command);
        return button;
    };
    BTN_Flip_V = mirror(1, 115, Icons::Mirror_Vertical(), "Vertical miror");
    BTN_Flip_H = mirror(2, 149, Icons::Mirror_Horizontal(), "Horizontal miror");
}
