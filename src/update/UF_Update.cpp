#include "update/UF_Update.h"

#include "update/Update_Prompt_Text.h"
#include "widgets/Icons.h"
#include "widgets/Panel.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int Client_Width = 405;
constexpr int Client_Height = 177;
constexpr int Picture_Side = 48;

// Colours are given as the numbers of the original design, 0x00BBGGRR.
QColor Color_From_Bgr(int bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

constexpr int Global_Color = 2434341;  // a very dark grey: RGB 37, 37, 37

void Paint_White(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QPushButton* Make_Button(QWidget* parent, const char* name, const char* caption, QRect geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    QFont font("Arial");
    font.setBold(true);
    button->setFont(font);
    return button;
}

}  // namespace

TF_Update::TF_Update(QWidget* owner) : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName("F_Update");
    setWindowTitle("Update ...");
    setFixedSize(Client_Width, Client_Height);
    setSizeGripEnabled(false);
    Create_Controls();
    connect(BTN_Yes, &QPushButton::clicked, this, &TF_Update::BTN_YesClick);
    connect(BTN_No, &QPushButton::clicked, this, &TF_Update::BTN_NoClick);
}

void TF_Update::Create_Controls()
{
    PNL_Global = new Panel(this);
    PNL_Global->setObjectName("PNL_Global");
    PNL_Global->setGeometry(0, 0, Client_Width, Client_Height);
    PNL_Global->Set_Color(Color_From_Bgr(Global_Color));

    IMG_Update = new QLabel(PNL_Global);
    IMG_Update->setObjectName("IMG_Update");
    IMG_Update->setGeometry(10, 8, 57, 117);
    IMG_Update->setAlignment(Qt::AlignCenter);
    Paint_White(IMG_Update);
    IMG_Update->setPixmap(QPixmap::fromImage(Icons::App_Image(Picture_Side)));

    LBL_Update1 = new QLabel(PNL_Global);
    LBL_Update1->setObjectName("LBL_Update1");
    LBL_Update1->setGeometry(67, 8, 329, 117);
    LBL_Update1->setAlignment(Qt::AlignCenter);
    LBL_Update1->setWordWrap(true);
    LBL_Update1->setTextFormat(Qt::PlainText);
    LBL_Update1->setFont(QFont("Arial"));
    Paint_White(LBL_Update1);

    BTN_Yes = Make_Button(PNL_Global, "BTN_Yes", "Check update now ...", QRect(10, 131, 191, 37));
    BTN_No = Make_Button(PNL_Global, "BTN_No", "No, I will do it later...", QRect(200, 131, 196, 37));
    BTN_Yes->setDefault(true);
}

bool TF_Update::Check_Version()
{
    return Fetch_Version(HTP_Check_Ver, Url_Ver, Check_Deadline_Ms, Version_Available);
}

void TF_Update::FormShow()
{
    prompt_text_ = Update_Prompt_Text(Appli_Name, Appli_Version, Version_Available);
    // QLabel breaks lines only at LF; the text's CR separators become LF on screen.
    QString shown = QString::fromStdString(prompt_text_);
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    LBL_Update1->setText(shown);
}

void TF_Update::BTN_YesClick()
{
    done(Result_Yes);
}

void TF_Update::BTN_NoClick()
{
    done(Result_No);
}

void TF_Update::showEvent(QShowEvent* event)
{
    FormShow();
    Center_On_Owner();
    QDialog::showEvent(event);
}

void TF_Update::Center_On_Owner()
{
    QRect area;
    if (QWidget* owner = parentWidget())
        area = owner->window()->frameGeometry();
    else if (screen())
        area = screen()->availableGeometry();
    if (area.isValid())
        move(area.center() - rect().center());
}
