#include "views/Settings_Panel.h"

#include "widgets/Folder_Edit.h"
#include "widgets/Integer_Edit.h"
#include "widgets/Text_Edit.h"
#include "widgets/Time_Edit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The panel as a window of its own, shown and active, so focus and key events behave as in the program.
struct Shown_Panel {
    Settings_Panel panel;

    Shown_Panel()
    {
        panel.resize(panel.sizeHint());
        panel.show();
        QApplication::setActiveWindow(&panel);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&panel));
    }
};

std::string Name(const QWidget* widget)
{
    return widget->objectName().toStdString();
}

QRect In_Panel(const QWidget* widget, const QWidget* panel)
{
    return QRect(widget->mapTo(panel, QPoint(0, 0)), widget->size());
}

// PNL_Config_1 and the three group boxes.
std::vector<const QWidget*> Groups(const Settings_Panel& panel)
{
    return {panel.PNL_Config_1, panel.GBX_Config_Cam, panel.GBX_Record, panel.GBX_Expert_Mode};
}

QString Caption_Of(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    return {};
}

TEST(Settings_Panel_Layout, EveryNamedControlExistsWithItsCaption)
{
    struct Row {
        const char* name;
        const char* kind;
        const char* caption;
    };
    const Row rows[] = {
        {"PNL_Config_1", "QWidget", ""},
        {"LBL_Nb_Cam", "QLabel", " Quantity of cams to view :"},
        {"CBX_Nb_Cam", "QComboBox", ""},
        {"LBL_Size_Pnl", "QLabel", " Camera panel size :"},
        {"CBX_Size_Pnl", "QComboBox", ""},
        {"LBL_Frame_Rate", "QLabel", " Video frame rate (FPS) :"},
        {"CBX_Frame_Rate", "QComboBox", ""},
        {"GBX_Config_Cam", "QGroupBox", "Camera setting"},
        {"LBL_N_Cam", "QLabel", " Cam to set :"},
        {"CBX_N_Cam", "Drop_Down_List", ""},
        {"LBL_Alias", "QLabel", " Name to display :"},
        {"EDT_Alias", "Text_Edit", ""},
        {"LBL_Cam_Valide", "QLabel", " Cam enable :"},
        {"CKB_Cam_Valide", "QCheckBox", ""},
        {"PNL_Separe1", "QFrame", ""},
        {"LBL_Adresse_Ip", "QLabel", " IP Adress (DDNS) :"},
        {"EDT_Adresse_Ip", "Text_Edit", ""},
        {"LBL_Port", "QLabel", " Port : "},
        {"EDT_Port", "Integer_Edit", ""},
        {"LBL_Login", "QLabel", " Login : "},
        {"EDT_Login", "Text_Edit", ""},
        {"LBL_Password", "QLabel", " Password :"},
        {"EDT_Password", "Text_Edit", ""},
        {"PNL_Separe2", "QFrame", ""},
        {"RBT_Rec_0", "QRadioButton", ""},
        {"LBL_Rec_0", "QLabel", "  no record"},
        {"RBT_Rec_1", "QRadioButton", ""},
        {"LBL_Rec_1", "QLabel", "  start record immediatly"},
        {"RBT_Rec_2", "QRadioButton", ""},
        {"LBL_Rec_2", "QLabel", "  start record after motion detection"},
        {"LBL_K_Detect", "QLabel", " Motion detection threshold [%] :"},
        {"EDT_K_Detect", "Integer_Edit", ""},
        {"RBT_Rec_3", "QRadioButton", ""},
        {"LBL_Rec_3", "QLabel", "  start record on timer"},
        {"LBL_Rec_3_On", "QLabel", " On :"},
        {"EDT_Rec_3_On", "Time_Edit", ""},
        {"LBL_Rec_3_Off", "QLabel", " Off :"},
        {"EDT_Rec_3_Off", "Time_Edit", ""},
        {"GBX_Record", "QGroupBox", "Record setting"},
        {"LBL_Frequence_Rec", "QLabel", " Snapshot time interval (sec) :"},
        {"EDT_Frequence_Rec", "Integer_Edit", ""},
        {"LBL_Delay_Stop_Rec", "QLabel", " Delay before stop recording (sec) :"},
        {"EDT_Delay_Stop_Rec", "Integer_Edit", ""},
        {"LBL_Dest_Folder", "QLabel", " Folder :"},
        {"DED_Dest_Folder", "Folder_Edit", ""},
        {"GBX_Expert_Mode", "QGroupBox", "Expert setting"},
        {"LBL_Use_URL", "QLabel", " Use URL instead of above datas :"},
        {"CKB_Use_URL", "QCheckBox", ""},
        {"LBL_Url", "QLabel", " URL :"},
        {"EDT_Url", "Text_Edit", ""},
        {"BTN_Start_Log", "QPushButton", "Log"},
        {"BTN_Show_Ptz", "QPushButton", "PTZ"},
        {"BTN_Refresh", "QPushButton", "Refresh\nAll"},
        {"BTN_Save_Config", "QPushButton", "save\nconfig"},
        {"BTN_Load_Config", "QPushButton", "load\nconfig"},
        {"BTN_Update", "QPushButton", "Get the latest version here ..."},
        {"BTN_Site_Vesk", "QPushButton", "See more Quillo free tool here ..."},
        {"BTN_Paypal", "QPushButton", ""},
    };
    Settings_Panel panel;
    EXPECT_EQ(panel.objectName(), "PNL_Config");
    for (const Row& row : rows) {
        const auto found = panel.findChildren<QWidget*>(row.name);
        ASSERT_EQ(found.size(), 1) << row.name;
        EXPECT_TRUE(found.front()->inherits(row.kind))
            << row.name << " is a " << found.front()->metaObject()->className();
        EXPECT_EQ(Caption_Of(found.front()), QString::fromUtf8(row.caption)) << row.name;
    }
}

TEST(Settings_Panel_Layout, ControlSettings)
{
    Settings_Panel panel;
    EXPECT_EQ(panel.EDT_Password->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(panel.BTN_Start_Log->isCheckable());
    EXPECT_FALSE(panel.BTN_Show_Ptz->isCheckable());
    EXPECT_FALSE(panel.BTN_Paypal->icon().isNull());
    EXPECT_EQ(panel.EDT_Url->toolTip(),
              "Make sure this URL gives JPEG result like SNAPSHOT function !\r\n"
              "You can ask to the camera manufacturer for the CGI SDK user guide to get the right URL syntax.");
    EXPECT_EQ(panel.CBX_N_Cam->isEditable(), false);

    // The four mode buttons are one exclusive group, ids = recording modes.
    EXPECT_TRUE(panel.Rec_Group->exclusive());
    const auto buttons = panel.Rec_Buttons();
    for (int mode = 0; mode < 4; ++mode)
        EXPECT_EQ(panel.Rec_Group->id(buttons[static_cast<std::size_t>(mode)]), mode);

    // Rows disabled until the enabling rules run.
    EXPECT_FALSE(panel.LBL_K_Detect->isEnabled());
    EXPECT_FALSE(panel.EDT_K_Detect->isEnabled());
    EXPECT_FALSE(panel.LBL_Url->isEnabled());
    EXPECT_FALSE(panel.EDT_Url->isEnabled());

    // The web links where the foot of the column puts them, drawn as links.
    EXPECT_EQ(panel.BTN_Update->geometry(), QRect(7, 587, 158, 20));
    EXPECT_EQ(panel.BTN_Site_Vesk->geometry(), QRect(7, 606, 158, 20));
    EXPECT_EQ(panel.BTN_Paypal->geometry(), QRect(167, 585, 67, 44));
    EXPECT_TRUE(panel.BTN_Update->font().underline());
    EXPECT_TRUE(panel.BTN_Site_Vesk->font().underline());
    EXPECT_TRUE(panel.BTN_Update->isFlat());
}

TEST(Settings_Panel_Layout, ColumnFitsWithoutOverlapsOrClippedCaptions)
{
    Shown_Panel shown;
    const Settings_Panel& panel = shown.panel;
    EXPECT_EQ(panel.font().pointSize(), 8);

    std::vector<const QWidget*> containers = Groups(panel);
    containers.push_back(&panel);
    for (const QWidget* container : containers) {
        std::vector<const QWidget*> children;
        for (const QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->isVisible() && !child->isWindow())
                children.push_back(child);
        for (std::size_t a = 0; a < children.size(); ++a) {
            for (std::size_t b = a + 1; b < children.size(); ++b) {
                // The two links' given places (7, 587 and 7, 606, 20 high) share one pixel row.
                const bool links = Name(children[a]) == "BTN_Update" && Name(children[b]) == "BTN_Site_Vesk";
                const QRect common = children[a]->geometry().intersected(children[b]->geometry());
                EXPECT_TRUE(common.isEmpty() || (links && common.height() == 1))
                    << Name(children[a]) << " overlaps " << Name(children[b]);
            }
        }
    }

    for (const QWidget* group : Groups(panel))
        EXPECT_EQ(group->width(), 230) << Name(group);

    for (const QWidget* widget : panel.findChildren<QWidget*>()) {
        if (!widget->isVisible() || widget->isWindow())
            continue;
        const QRect rect = In_Panel(widget, &panel);
        EXPECT_LE(rect.right() + 1, Settings_Panel::Column_Width) << Name(widget);
        EXPECT_LE(rect.bottom() + 1, Settings_Panel::Column_Height) << Name(widget);
        EXPECT_GE(rect.left(), 0) << Name(widget);
        EXPECT_GE(rect.top(), 0) << Name(widget);

        const QString name = widget->objectName();
        if (name.startsWith("LBL_") || name.startsWith("EDT_") || name.startsWith("CBX_") || name.startsWith("CKB_") ||
            name.startsWith("RBT_") || name.startsWith("DED_")) {
            EXPECT_EQ(widget->height(), 17) << Name(widget);
        }
        // Captions are shown whole.
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width()) << Name(widget);
        }
        if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
            for (const QString& line : button->text().split('\n')) {
                EXPECT_LE(button->fontMetrics().horizontalAdvance(line), button->width() - 4) << Name(widget);
            }
        }
    }
}

TEST(Settings_Panel_Layout, TabOrderRunsTopToBottom)
{
    Shown_Panel shown;
    const QWidget* panel = &shown.panel;
    std::vector<const QWidget*> chain;
    for (const QWidget* w = panel->nextInFocusChain(); w != panel; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy() && w->isVisibleTo(panel) &&
            !w->isWindow())
            chain.push_back(w);
    ASSERT_GE(chain.size(), 30u);
    for (std::size_t i = 1; i < chain.size(); ++i) {
        const QRect before = In_Panel(chain[i - 1], panel);
        const QRect after = In_Panel(chain[i], panel);
        const bool next_row = after.top() > before.top();
        const bool same_row_to_the_right = after.top() == before.top() && after.left() > before.left();
        EXPECT_TRUE(next_row || same_row_to_the_right)
            << Name(chain[i - 1]) << " (" << before.left() << ", " << before.top() << ") then " << Name(chain[i])
            << " (" << after.left() << ", " << after.top() << ")";
    }
}

TEST(Settings_Panel_Layout, EnterMovesTheFocusOnExceptInThePassword)
{
    struct Row {
        const char* name;
        bool moves;
    };
    const Row rows[] = {
        {"EDT_Alias", true},         {"EDT_Adresse_Ip", true},     {"EDT_Port", true},
        {"EDT_Login", true},         {"EDT_K_Detect", true},       {"EDT_Url", true},
        {"EDT_Frequence_Rec", true}, {"EDT_Delay_Stop_Rec", true}, {"EDT_Password", false},
    };
    Shown_Panel shown;
    T_Cam cam = Default_Cam(1);
    cam.Valide_Record = 2;  // threshold row enabled
    cam.Use_Url = true;     // URL row enabled
    shown.panel.Load(cam);
    for (const Row& row : rows) {
        auto* edit = shown.panel.findChild<Text_Edit*>(row.name);
        ASSERT_NE(edit, nullptr) << row.name;
        edit->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(edit->hasFocus()) << row.name;
        QSignalSpy enter(edit, &Text_Edit::Enter_Released);
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(enter.count(), 1) << row.name;
        EXPECT_EQ(edit->hasFocus(), !row.moves) << row.name;
        if (row.moves) {
            const QWidget* now = QApplication::focusWidget();
            ASSERT_NE(now, nullptr) << row.name;
            EXPECT_GE(In_Panel(now, &shown.panel).top(), In_Panel(edit, &shown.panel).top())
                << row.name << " gave the focus to " << Name(now);
        }
    }
}

// Not a check: leaves a picture of the column under the build folder, to look at after layout changes.
TEST(Settings_Panel_Layout, RenderColumnPicture)
{
    Shown_Panel shown;
    shown.panel.CBX_N_Cam->addItem("1");
    shown.panel.EDT_Frequence_Rec->Set_Value(5);
    shown.panel.EDT_Delay_Stop_Rec->Set_Value(60);
    shown.panel.DED_Dest_Folder->Set_Path("/home/user/Pictures/Tambrel");
    shown.panel.Load(Default_Cam(1));
    const QString file = QCoreApplication::applicationDirPath() + "/settings_panel.png";
    EXPECT_TRUE(shown.panel.grab().save(file)) << file.toStdString();
}

}  // namespace
