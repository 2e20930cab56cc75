#include "views/Settings_Panel.h"

#include "util/U_Lib_Util_Vesk.h"
#include "views/Grid_Geometry.h"
#include "widgets/Drop_Down_List.h"
#include "widgets/Folder_Edit.h"
#include "widgets/Integer_Edit.h"
#include "widgets/Text_Edit.h"
#include "widgets/Time_Edit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <optional>
#include <vector>

namespace {

// Every group is 230 pixels wide; a row is 17 pixels high and 18 below the previous one, its label on
// the left and its control on the right.
constexpr int Group_Left = 8;
constexpr int Group_Width = 230;
constexpr int Row_Height = 17;
constexpr int Row_Step = 18;
constexpr int First_Row = 18;                 // first row of a group, under its caption
constexpr int Inner_Left = 4;                 // labels start here inside a group
constexpr int Inner_Right = Group_Width - 4;  // controls end here inside a group
constexpr int Separator_Step = 8;             // room a separator line takes between two rows
constexpr int Group_Bottom = 8;               // below the last row of a group
constexpr int Group_Gap = 8;                  // between two groups

// Columns of the rows: text rows, short numbers behind long captions, radio buttons.
constexpr int Text_Control_Left = 104;
constexpr int Number_Width = 34;
constexpr int Number_Left = Inner_Right - Number_Width;
constexpr int Radio_Width = 16;

// The web links, where the column's foot puts them.
constexpr QRect Update_Rect(7, 587, 158, 20);
constexpr QRect Site_Vesk_Rect(7, 606, 158, 20);
constexpr QRect Paypal_Rect(167, 585, 67, 44);

constexpr int Buttons_Top = 536;
constexpr int Buttons_Height = 40;
constexpr int Button_Padding = 6;  // room a push button keeps round its caption

const char* const Url_Hint =
    "Make sure this URL gives JPEG result like SNAPSHOT function !\r\n"
    "You can ask to the camera manufacturer for the CGI SDK user guide to get the right URL syntax.";

// Top of row `row` of a group whose rows start at `first`.
constexpr int Row_Top(int row, int first = First_Row)
{
    return first + row * Row_Step;
}

template <typename Control>
Control* Place(Control* control, const char* name, int left, int top, int width, int height = Row_Height)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(left, top, width, height);
    return control;
}

QLabel* Make_Label(QWidget* parent, const char* name, const char* caption, int left, int top, int width)
{
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setTextFormat(Qt::PlainText);
    return Place(label, name, left, top, width);
}

// A group box at `top`; its height is set once its rows are placed.
QGroupBox* Make_Group(QWidget* parent, const char* name, const char* caption, int top)
{
    auto* group = new QGroupBox(QString::fromUtf8(caption), parent);
    return Place(group, name, Group_Left, top, Group_Width, 0);
}

QFrame* Make_Separator(QWidget* parent, const char* name, int row_bottom)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return Place(line, name, Inner_Left, row_bottom + (Separator_Step - 2) / 2, Inner_Right - Inner_Left, 2);
}

Text_Edit* Make_Text_Edit(QWidget* parent, const char* name, int top, bool enter_moves_focus)
{
    auto* edit = Place(new Text_Edit(parent), name, Text_Control_Left, top, Inner_Right - Text_Control_Left);
    edit->Set_Enter_Moves_Focus(enter_moves_focus);
    return edit;
}

Integer_Edit* Make_Number_Edit(QWidget* parent, const char* name, int left, int top, int width)
{
    auto* edit = Place(new Integer_Edit(parent), name, left, top, width);
    edit->Set_Enter_Moves_Focus(true);
    return edit;
}

QPushButton* Make_Button(QWidget* parent, const char* name, const char* caption, QRect geometry)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    return Place(button, name, geometry.left(), geometry.top(), geometry.width(), geometry.height());
}

// A flat button that looks like a web link: underlined caption, link colour, hand cursor.
QPushButton* Make_Link_Button(QWidget* parent, const char* name, const char* caption, QRect geometry)
{
    auto* button = Make_Button(parent, name, caption, geometry);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    QFont font = button->font();
    font.setUnderline(true);
    button->setFont(font);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, palette.color(QPalette::Link));
    button->setPalette(palette);
    return button;
}

// The donation badge of BTN_Paypal, drawn by code: a golden pill reading "Donate" over three small
// payment cards.
QPixmap Donate_Badge(QSize size)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF pill(1, 1, size.width() - 2, size.height() * 0.58);
    QLinearGradient gold(pill.topLeft(), pill.bottomLeft());
    gold.setColorAt(0, QColor(255, 236, 160));
    gold.setColorAt(1, QColor(247, 181, 41));
    painter.setPen(QPen(QColor(200, 140, 20), 1));
    painter.setBrush(gold);
    painter.drawRoundedRect(pill, pill.height() / 2, pill.height() / 2);

    QFont font = painter.font();
    font.setBold(true);
    font.setItalic(true);
    font.setPixelSize(static_cast<int>(pill.height() * 0.62));
    painter.setFont(font);
    painter.setPen(QColor(0, 48, 135));
    painter.drawText(pill, Qt::AlignCenter, QStringLiteral("Donate"));

    const QColor cards[] = {QColor(26, 31, 113), QColor(235, 0, 27), QColor(0, 112, 186)};
    const double card_width = (size.width() - 2 - 2 * 3) / 3.0;
    const double card_top = pill.bottom() + 3;
    const double card_height = size.height() - 1 - card_top;
    for (int i = 0; i < 3; ++i) {
        const QRectF card(1 + i * (card_width + 3), card_top, card_width, card_height);
        painter.setPen(Qt::NoPen);
        painter.setBrush(cards[i]);
        painter.drawRoundedRect(card, 2, 2);
        painter.setBrush(QColor(255, 255, 255, 150));
        painter.drawRect(QRectF(card.left() + 2, card.top() + card.height() * 0.55, card.width() - 4, 1.5));
    }
    return picture;
}

QString Caption_Of(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    return {};
}

int Caption_Room(const QWidget* widget)
{
    if (qobject_cast<const QAbstractButton*>(widget))
        return widget->width() - Button_Padding;
    return widget->contentsRect().width();
}

bool Captions_Fit(const QFont& font, const std::vector<QWidget*>& widgets)
{
    const QFontMetrics metrics(font);
    for (const QWidget* widget : widgets)
        for (const QString& line : Caption_Of(widget).split(QLatin1Char('\n')))
            if (metrics.horizontalAdvance(line) > Caption_Room(widget))
                return false;
    return true;
}

// Gives `widgets` one font in which every line of their captions fits their width: their own font
// when it fits, else the same font narrowed, then smaller, down to 6 points. The geometry is fixed,
// so a caption is never cut whatever the desktop's font.
void Fit_Captions(const std::vector<QWidget*>& widgets)
{
    if (widgets.empty() || Captions_Fit(widgets.front()->font(), widgets))
        return;
    QFont font = widgets.front()->font();
    const int start_points = font.pointSize() > 0 ? font.pointSize() : 8;
    for (int points = start_points; points >= 6; --points) {
        for (int stretch : {int(QFont::SemiCondensed), int(QFont::Condensed), int(QFont::ExtraCondensed)}) {
            font.setPointSize(points);
            font.setStretch(stretch);
            if (Captions_Fit(font, widgets))
                break;
        }
        if (Captions_Fit(font, widgets))
            break;
    }
    for (QWidget* widget : widgets)
        widget->setFont(font);
}

// Checks the mode buttons for `mode`: mode 0..3 checks that button alone, any other value none. The
// group is made non-exclusive meanwhile, since an exclusive group refuses to uncheck its last button.
void Check_Mode(QButtonGroup* group, const std::array<QRadioButton*, 4>& buttons, int mode)
{
    group->setExclusive(false);
    for (int i = 0; i < 4; ++i)
        buttons[static_cast<std::size_t>(i)]->setChecked(mode == i);
    group->setExclusive(true);
}

// The mode of the checked buttons: the last checked one wins; nothing when none is checked.
std::optional<int32_t> Checked_Mode(const std::array<QRadioButton*, 4>& buttons)
{
    std::optional<int32_t> mode;
    for (int i = 0; i < 4; ++i)
        if (buttons[static_cast<std::size_t>(i)]->isChecked())
            mode = i;
    return mode;
}

// The number edits, which hold what the program wrote there (ASCII) or what was typed.
std::string Text_Of(const QLineEdit* edit)
{
    return edit->text().toStdString();
}

QString To_Text(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

Settings_Panel::Settings_Panel(QWidget* parent) : QWidget(parent)
{
    setObjectName("PNL_Config");
    // 8 points, slightly narrowed so that the long captions fit the 230-pixel groups.
    QFont small = font();
    small.setPointSize(8);
    small.setStretch(QFont::SemiCondensed);
    setFont(small);
    Create_Grid_Lists();
    Create_Config_Cam();
    Create_Record();
    Create_Expert_Mode();
    Create_Buttons();
    Create_Links();

    for (QLabel* label : findChildren<QLabel*>())
        Fit_Captions({label});
    for (QPushButton* button : {BTN_Refresh, BTN_Save_Config, BTN_Load_Config, BTN_Start_Log, BTN_Show_Ptz})
        Fit_Captions({button});
    Fit_Captions({BTN_Update, BTN_Site_Vesk});  // the two links look alike
}

QSize Settings_Panel::sizeHint() const
{
    return {Column_Width, Column_Height};
}

void Settings_Panel::Create_Grid_Lists()
{
    constexpr int list_left = 140;
    constexpr int first = 2;
    PNL_Config_1 = Place(new QWidget(this), "PNL_Config_1", Group_Left, 4, Group_Width, Row_Top(3, first) + 2);

    const auto row = [&](const char* label_name, const char* caption, const char* list_name, int index, QLabel*& label,
                         QComboBox*& list) {
        label = Make_Label(PNL_Config_1, label_name, caption, 0, Row_Top(index, first), list_left);
        list = Place(new QComboBox(PNL_Config_1), list_name, list_left, Row_Top(index, first), Group_Width - list_left);
    };
    row("LBL_Nb_Cam", " Quantity of cams to view :", "CBX_Nb_Cam", 0, LBL_Nb_Cam, CBX_Nb_Cam);
    for (int n = 1; n <= 9; ++n)
        CBX_Nb_Cam->addItem(QString::number(n));
    row("LBL_Size_Pnl", " Camera panel size :", "CBX_Size_Pnl", 1, LBL_Size_Pnl, CBX_Size_Pnl);
    for (const char* item : Size_Pnl_Items)
        CBX_Size_Pnl->addItem(item);
    row("LBL_Frame_Rate", " Video frame rate (FPS) :", "CBX_Frame_Rate", 2, LBL_Frame_Rate, CBX_Frame_Rate);
    for (const char* item : Frame_Rate_Items)
        CBX_Frame_Rate->addItem(item);
}

void Settings_Panel::Create_Config_Cam()
{
    const int group_top = PNL_Config_1->geometry().bottom() + 1 + Group_Gap;
    GBX_Config_Cam = Make_Group(this, "GBX_Config_Cam", "Camera setting", group_top);
    QGroupBox* g = GBX_Config_Cam;
    constexpr int label_width = Text_Control_Left - Inner_Left;

    int top = Row_Top(0);
    LBL_N_Cam = Make_Label(g, "LBL_N_Cam", " Cam to set :", Inner_Left, top, label_width);
    CBX_N_Cam = Place(new Drop_Down_List(g), "CBX_N_Cam", Text_Control_Left, top, 48);

    top += Row_Step;
    LBL_Alias = Make_Label(g, "LBL_Alias", " Name to display :", Inner_Left, top, label_width);
    EDT_Alias = Make_Text_Edit(g, "EDT_Alias", top, true);

    top += Row_Step;
    LBL_Cam_Valide = Make_Label(g, "LBL_Cam_Valide", " Cam enable :", Inner_Left, top, label_width);
    CKB_Cam_Valide = Place(new QCheckBox(g), "CKB_Cam_Valide", Text_Control_Left, top, Radio_Width + 2);

    PNL_Separe1 = Make_Separator(g, "PNL_Separe1", top + Row_Height);
    top += Row_Step + Separator_Step;
    LBL_Adresse_Ip = Make_Label(g, "LBL_Adresse_Ip", " IP Adress (DDNS) :", Inner_Left, top, label_width);
    EDT_Adresse_Ip = Make_Text_Edit(g, "EDT_Adresse_Ip", top, true);

    top += Row_Step;
    LBL_Port = Make_Label(g, "LBL_Port", " Port : ", Inner_Left, top, label_width);
    EDT_Port = Make_Number_Edit(g, "EDT_Port", Text_Control_Left, top, 56);

    top += Row_Step;
    LBL_Login = Make_Label(g, "LBL_Login", " Login : ", Inner_Left, top, label_width);
    EDT_Login = Make_Text_Edit(g, "EDT_Login", top, true);

    top += Row_Step;
    LBL_Password = Make_Label(g, "LBL_Password", " Password :", Inner_Left, top, label_width);
    // Enter commits the password but leaves the focus in it.
    EDT_Password = Make_Text_Edit(g, "EDT_Password", top, false);
    EDT_Password->setEchoMode(QLineEdit::Password);

    PNL_Separe2 = Make_Separator(g, "PNL_Separe2", top + Row_Height);
    top += Row_Step + Separator_Step;
    Rec_Group = new QButtonGroup(this);
    Rec_Group->setExclusive(true);
    const auto radio_row = [&](const char* radio_name, const char* label_name, const char* caption, int id,
                               QRadioButton*& radio, QLabel*& label) {
        radio = Place(new QRadioButton(g), radio_name, Inner_Left, top, Radio_Width);
        label =
            Make_Label(g, label_name, caption, Inner_Left + Radio_Width, top, Inner_Right - Inner_Left - Radio_Width);
        Rec_Group->addButton(radio, id);
    };
    radio_row("RBT_Rec_0", "LBL_Rec_0", "  no record", 0, RBT_Rec_0, LBL_Rec_0);
    top += Row_Step;
    radio_row("RBT_Rec_1", "LBL_Rec_1", "  start record immediatly", 1, RBT_Rec_1, LBL_Rec_1);
    top += Row_Step;
    radio_row("RBT_Rec_2", "LBL_Rec_2", "  start record after motion detection", 2, RBT_Rec_2, LBL_Rec_2);

    top += Row_Step;
    LBL_K_Detect = Make_Label(g, "LBL_K_Detect", " Motion detection threshold [%] :", Inner_Left + Radio_Width, top,
                              Number_Left - Inner_Left - Radio_Width);
    EDT_K_Detect = Make_Number_Edit(g, "EDT_K_Detect", Number_Left, top, Number_Width);
    // A threshold from the settings file may be longer than anything typed; never cut it when shown.
    EDT_K_Detect->setMaxLength(32767);

    top += Row_Step;
    radio_row("RBT_Rec_3", "LBL_Rec_3", "  start record on timer", 3, RBT_Rec_3, LBL_Rec_3);

    top += Row_Step;
    constexpr int on_label_left = Inner_Left + Radio_Width;
    constexpr int on_label_width = 28;
    constexpr int off_label_width = 32;
    constexpr int time_width = (Inner_Right - on_label_left - on_label_width - off_label_width) / 2;
    int left = on_label_left;
    LBL_Rec_3_On = Make_Label(g, "LBL_Rec_3_On", " On :", left, top, on_label_width);
    left += on_label_width;
    EDT_Rec_3_On = Place(new Time_Edit(g), "EDT_Rec_3_On", left, top, time_width);
    left += time_width;
    LBL_Rec_3_Off = Make_Label(g, "LBL_Rec_3_Off", " Off :", left, top, off_label_width);
    left += off_label_width;
    EDT_Rec_3_Off = Place(new Time_Edit(g), "EDT_Rec_3_Off", left, top, Inner_Right - left);

    g->resize(Group_Width, top + Row_Height + Group_Bottom);

    // Design-time states, until the enabling rules run.
    LBL_K_Detect->setEnabled(false);
    EDT_K_Detect->setEnabled(false);
}

void Settings_Panel::Create_Record()
{
    const int group_top = GBX_Config_Cam->geometry().bottom() + 1 + Group_Gap;
    GBX_Record = Make_Group(this, "GBX_Record", "Record setting", group_top);
    QGroupBox* g = GBX_Record;
    constexpr int label_width = Number_Left - Inner_Left;

    int top = Row_Top(0);
    LBL_Frequence_Rec =
        Make_Label(g, "LBL_Frequence_Rec", " Snapshot time interval (sec) :", Inner_Left, top, label_width);
    EDT_Frequence_Rec = Make_Number_Edit(g, "EDT_Frequence_Rec", Number_Left, top, Number_Width);

    top += Row_Step;
    LBL_Delay_Stop_Rec =
        Make_Label(g, "LBL_Delay_Stop_Rec", " Delay before stop recording (sec) :", Inner_Left, top, label_width);
    EDT_Delay_Stop_Rec = Make_Number_Edit(g, "EDT_Delay_Stop_Rec", Number_Left, top, Number_Width);

    top += Row_Step;
    constexpr int folder_label_width = 44;
    LBL_Dest_Folder = Make_Label(g, "LBL_Dest_Folder", " Folder :", Inner_Left, top, folder_label_width);
    DED_Dest_Folder = Place(new Folder_Edit(g), "DED_Dest_Folder", Inner_Left + folder_label_width, top,
                            Inner_Right - Inner_Left - folder_label_width);

    g->resize(Group_Width, top + Row_Height + Group_Bottom);
}

void Settings_Panel::Create_Expert_Mode()
{
    const int group_top = GBX_Record->geometry().bottom() + 1 + Group_Gap;
    GBX_Expert_Mode = Make_Group(this, "GBX_Expert_Mode", "Expert setting", group_top);
    QGroupBox* g = GBX_Expert_Mode;

    int top = Row_Top(0);
    LBL_Use_URL =
        Make_Label(g, "LBL_Use_URL", " Use URL instead of above datas :", Inner_Left, top, Number_Left - Inner_Left);
    CKB_Use_URL = Place(new QCheckBox(g), "CKB_Use_URL", Number_Left, top, Radio_Width + 2);

    top += Row_Step;
    constexpr int url_label_width = 36;
    LBL_Url = Make_Label(g, "LBL_Url", " URL :", Inner_Left, top, url_label_width);
    EDT_Url = Place(new Text_Edit(g), "EDT_Url", Inner_Left + url_label_width, top,
                    Inner_Right - Inner_Left - url_label_width);
    EDT_Url->Set_Enter_Moves_Focus(true);
    EDT_Url->setToolTip(QString::fromUtf8(Url_Hint));

    top += Row_Step + 2;
    constexpr int button_width = 60;
    constexpr int button_height = 21;
    BTN_Start_Log = Make_Button(g, "BTN_Start_Log", "Log", QRect(Inner_Left, top, button_width, button_height));
    BTN_Start_Log->setCheckable(true);
    BTN_Show_Ptz =
        Make_Button(g, "BTN_Show_Ptz", "PTZ", QRect(Inner_Left + button_width + 6, top, button_width, button_height));
    // Right under the URL row, beside the two buttons: shown while the camera being set presents a
    // certificate nobody trusts yet.
    const int trust_left = Inner_Left + 2 * (button_width + 6);
    BTN_Trust_Cert =
        Make_Button(g, "BTN_Trust_Cert", "", QRect(trust_left, top, Inner_Right - trust_left, button_height));
    BTN_Trust_Cert->hide();

    g->resize(Group_Width, top + button_height + Group_Bottom);

    // Design-time states, until the enabling rules run.
    LBL_Url->setEnabled(false);
    EDT_Url->setEnabled(false);
}

void Settings_Panel::Create_Buttons()
{
    constexpr int gap = 4;
    constexpr int width = (Group_Width - 2 * gap) / 3;
    int left = Group_Left;
    BTN_Refresh = Make_Button(this, "BTN_Refresh", "Refresh\nAll", QRect(left, Buttons_Top, width, Buttons_Height));
    left += width + gap;
    BTN_Save_Config =
        Make_Button(this, "BTN_Save_Config", "save\nconfig", QRect(left, Buttons_Top, width, Buttons_Height));
    left += width + gap;
    BTN_Load_Config = Make_Button(this, "BTN_Load_Config", "load\nconfig",
                                  QRect(left, Buttons_Top, Group_Left + Group_Width - left, Buttons_Height));
}

void Settings_Panel::Create_Links()
{
    // Tab order top to bottom: the badge's top is above the first link's.
    BTN_Paypal = Make_Button(this, "BTN_Paypal", "", Paypal_Rect);
    BTN_Paypal->setFlat(true);
    BTN_Paypal->setCursor(Qt::PointingHandCursor);
    BTN_Paypal->setIconSize(Paypal_Rect.size() - QSize(4, 4));
    BTN_Paypal->setIcon(Donate_Badge(BTN_Paypal->iconSize()));
    BTN_Update = Make_Link_Button(this, "BTN_Update", "Get the latest version here ...", Update_Rect);
    BTN_Site_Vesk = Make_Link_Button(this, "BTN_Site_Vesk", "See more Quillo free tool here ...", Site_Vesk_Rect);
}

void Settings_Panel::Load(const T_Cam& cam)
{
    {
        const QSignalBlocker block_valide(CKB_Cam_Valide);
        const QSignalBlocker block_use_url(CKB_Use_URL);
        const QSignalBlocker block_rec_0(RBT_Rec_0);
        const QSignalBlocker block_rec_1(RBT_Rec_1);
        const QSignalBlocker block_rec_2(RBT_Rec_2);
        const QSignalBlocker block_rec_3(RBT_Rec_3);
        const QSignalBlocker block_group(Rec_Group);  // it re-emits the buttons' toggles

        CKB_Cam_Valide->setChecked(cam.Valide);
        EDT_Alias->Set_Bytes(cam.Alias);
        EDT_Adresse_Ip->Set_Bytes(cam.Ad_Ip);
        EDT_Port->setText(To_Text(Int_To_Text(cam.Port)));
        EDT_Login->Set_Bytes(cam.Login);
        EDT_Password->Set_Bytes(cam.Password);
        CKB_Use_URL->setChecked(cam.Use_Url);
        EDT_Url->Set_Bytes(cam.Special_Url);
        Check_Mode(Rec_Group, Rec_Buttons(), cam.Valide_Record);
        EDT_K_Detect->setText(To_Text(Float_To_Text(0, 0, cam.K_Detect)));
        EDT_Rec_3_On->Set_Time(cam.Timer_On);
        EDT_Rec_3_Off->Set_Time(cam.Timer_Off);
    }
    Apply_Enabling_Rules();
}

void Settings_Panel::Save(T_Cam& cam) const
{
    cam.Valide = CKB_Cam_Valide->isChecked();
    cam.Alias = EDT_Alias->Bytes();
    cam.Ad_Ip = EDT_Adresse_Ip->Bytes();
    cam.Login = EDT_Login->Bytes();
    cam.Password = EDT_Password->Bytes();
    cam.Port = Text_To_Int(Text_Of(EDT_Port));
    cam.Use_Url = CKB_Use_URL->isChecked();
    cam.Special_Url = EDT_Url->Bytes();
    if (const auto mode = Checked_Mode(Rec_Buttons()))
        cam.Valide_Record = *mode;
    cam.K_Detect = Text_To_Float(Text_Of(EDT_K_Detect));
    cam.Timer_On = EDT_Rec_3_On->Time();
    cam.Timer_Off = EDT_Rec_3_Off->Time();
}

void Settings_Panel::Apply_Enabling_Rules()
{
    Apply_Url_Rule();
    const bool threshold = RBT_Rec_2->isChecked();
    LBL_K_Detect->setEnabled(threshold);
    EDT_K_Detect->setEnabled(threshold);
    const bool timer = RBT_Rec_3->isChecked();
    LBL_Rec_3_On->setEnabled(timer);
    EDT_Rec_3_On->setEnabled(timer);
    LBL_Rec_3_Off->setEnabled(timer);
    EDT_Rec_3_Off->setEnabled(timer);
}

void Settings_Panel::Apply_Url_Rule()
{
    const bool url = CKB_Use_URL->isChecked();
    LBL_Url->setEnabled(url);
    EDT_Url->setEnabled(url);
}

void Settings_Panel::Offer_Certificate(const std::string& sha256)
{
    offered_certificate_ = sha256;
    if (sha256.empty()) {
        BTN_Trust_Cert->hide();
        return;
    }
    BTN_Trust_Cert->setText(QString::fromStdString("Trust " + sha256.substr(0, 8) + "\u2026"));
    BTN_Trust_Cert->setToolTip(
        QString::fromStdString("The camera's certificate is not trusted.\nSHA-256 " + sha256 +
                               "\nClick to trust this certificate for this camera from now on."));
    BTN_Trust_Cert->show();
}

int Settings_Panel::Take_Recording_Value(Integer_Edit* edit)
{
    if (edit->Value() <= 0)
        edit->Set_Value(1);
    return edit->Value();
}
