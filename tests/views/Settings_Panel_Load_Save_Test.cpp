#include "views/Settings_Panel.h"

#include "widgets/Integer_Edit.h"
#include "widgets/Text_Edit.h"
#include "widgets/Time_Edit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A record whose every field differs from the ones the tests load, so a field Save forgets shows.
T_Cam Other_Cam()
{
    T_Cam cam;
    cam.Valide = true;
    cam.Type_Cam = 42;
    cam.Alias = "other";
    cam.Ad_Ip = "other.invalid";
    cam.Port = 4321;
    cam.Login = "nobody";
    cam.Password = "secret";
    cam.Use_Url = true;
    cam.Special_Url = "http://127.0.0.1:1/other";
    cam.Valide_Record = 9;
    cam.Timer_On = 0.25;
    cam.Timer_Off = 0.75;
    cam.K_Detect = 77;
    return cam;
}

T_Cam Cam_With(void (*change)(T_Cam&))
{
    T_Cam cam = Default_Cam(1);
    change(cam);
    return cam;
}

TEST(Settings_Panel, LoadThenSaveKeepsEveryField)
{
    struct Row {
        const char* name;
        T_Cam cam;
    };
    const Row rows[] = {
        {"defaults of a new camera", Default_Cam(1)},
        {"blanks around and inside texts kept", Cam_With([](T_Cam& c) {
             c.Alias = "  front door  ";
             c.Ad_Ip = " 127.0.0.1 ";
             c.Login = " ad min ";
             c.Password = " p&ss word ";
             c.Special_Url = " http://127.0.0.1:8080/snap.jpg?a=1&b=2 ";
         })},
        {"empty texts", Cam_With([](T_Cam& c) {
             c.Alias.clear();
             c.Ad_Ip.clear();
             c.Login.clear();
             c.Password.clear();
             c.Special_Url.clear();
         })},
        {"text beyond ASCII", Cam_With([](T_Cam& c) { c.Alias = "Caméra N°2"; })},
        {"Windows-1252 bytes kept byte for byte", Cam_With([](T_Cam& c) {
             c.Alias = "Cam\xE9ra";
             c.Ad_Ip = "cam\xE9ra.local";
             c.Login = "Ren\xE9";
             c.Password = "p\xE2t\xE9\x80";
             c.Special_Url = "http://127.0.0.1/snap.jpg?nom=\xE9t\xE9";
         })},
        {"bytes no encoding reads kept", Cam_With([](T_Cam& c) {
             c.Alias = std::string("\xC3", 1);                 // a UTF-8 sequence cut short
             c.Password = std::string("\x81\x00\xFF\xBF", 4);  // undefined in Windows-1252, NUL
             c.Login = "\xEF\xBB\xBF"
                       "admin";  // byte order mark
         })},
        {"port 0 kept", Cam_With([](T_Cam& c) { c.Port = 0; })},
        {"port above 65535 kept", Cam_With([](T_Cam& c) { c.Port = 70000; })},
        {"smallest 32-bit port kept", Cam_With([](T_Cam& c) { c.Port = -2147483647 - 1; })},
        {"disabled camera using its URL", Cam_With([](T_Cam& c) {
             c.Valide = false;
             c.Use_Url = true;
         })},
        {"record at once", Cam_With([](T_Cam& c) { c.Valide_Record = 1; })},
        {"record on motion above 100 %", Cam_With([](T_Cam& c) {
             c.Valide_Record = 2;
             c.K_Detect = 250;
         })},
        {"threshold longer than anything typed", Cam_With([](T_Cam& c) { c.K_Detect = 1e12; })},
        {"negative threshold", Cam_With([](T_Cam& c) { c.K_Detect = -5; })},
        {"record on timer", Cam_With([](T_Cam& c) {
             c.Valide_Record = 3;
             c.Timer_On = (7 * 3600 + 30 * 60) / 86400.0;
             c.Timer_Off = (19 * 3600 + 45 * 60 + 15) / 86400.0;
         })},
    };
    Settings_Panel panel;
    for (const Row& row : rows) {
        panel.Load(row.cam);
        T_Cam saved = Other_Cam();
        panel.Save(saved);
        T_Cam expected = row.cam;
        expected.Type_Cam = Other_Cam().Type_Cam;  // never touched
        EXPECT_EQ(saved, expected) << row.name;
        EXPECT_EQ(saved.Alias, row.cam.Alias) << row.name;
        EXPECT_EQ(saved.Password, row.cam.Password) << row.name;
    }
}

TEST(Settings_Panel, StoredTextsShowReadablyAndEditedOnesAreStoredAsUtf8)
{
    T_Cam cam = Default_Cam(1);
    cam.Alias = "Cam\xE9ra \x80";  // Windows-1252: "Caméra €"
    cam.Login = "Ren\xC3\xA9";     // UTF-8: "René"
    cam.Password = "p\xE2t\xE9";
    Settings_Panel panel;
    panel.Load(cam);
    EXPECT_EQ(panel.EDT_Alias->text(), QString::fromUtf8("Caméra €"));
    EXPECT_EQ(panel.EDT_Login->text(), QString::fromUtf8("René"));
    EXPECT_EQ(panel.EDT_Password->text(), QString::fromUtf8("pâté"));

    // Edited: the new text in UTF-8. Typed back as shown: the stored bytes.
    panel.EDT_Alias->setText(QString::fromUtf8("Entrée"));
    panel.EDT_Password->setText(QString::fromUtf8("pâté!"));
    panel.EDT_Password->setText(QString::fromUtf8("pâté"));
    T_Cam saved = cam;
    panel.Save(saved);
    EXPECT_EQ(saved.Alias, "Entr\xC3\xA9"
                           "e");
    EXPECT_EQ(saved.Login, cam.Login);
    EXPECT_EQ(saved.Password, cam.Password);

    // The next record's bytes replace the remembered ones.
    T_Cam other = Default_Cam(2);
    panel.Load(other);
    panel.Save(saved);
    EXPECT_EQ(saved.Alias, other.Alias);
    EXPECT_EQ(saved.Password, other.Password);
}

TEST(Settings_Panel, PortTextsReadAsTypedIntegers)
{
    struct Row {
        const char* name;
        QString text;
        int32_t port;
    };
    const Row rows[] = {
        {"cleared edit", "", 0},
        {"minus alone", "-", 0},
        {"beyond 32 bits", "99999999999", 0},
        {"leading zero", "08080", 8080},
    };
    Settings_Panel panel;
    for (const Row& row : rows) {
        panel.Load(Default_Cam(1));
        panel.EDT_Port->setText(row.text);
        T_Cam saved = Default_Cam(1);
        panel.Save(saved);
        EXPECT_EQ(saved.Port, row.port) << row.name;
    }
}

TEST(Settings_Panel, ThresholdIsShownWholeAndSavedAsShown)
{
    struct Row {
        const char* name;
        double stored;
        QString shown;
        double saved;
    };
    const Row rows[] = {
        {"fraction rounds up", 12.7, "13", 13},
        {"half rounds away from zero", 12.5, "13", 13},
        {"fraction rounds down", 12.4, "12", 12},
        {"small negative shows no minus", -0.4, "0", 0},
        {"whole value", 50, "50", 50},
    };
    Settings_Panel panel;
    for (const Row& row : rows) {
        T_Cam cam = Default_Cam(1);
        cam.K_Detect = row.stored;
        panel.Load(cam);
        EXPECT_EQ(panel.EDT_K_Detect->text(), row.shown) << row.name;
        panel.Save(cam);
        EXPECT_EQ(cam.K_Detect, row.saved) << row.name;
    }
}

TEST(Settings_Panel, ModeOutsideZeroToThreeChecksNothingAndIsKept)
{
    Settings_Panel panel;
    T_Cam cam = Default_Cam(1);
    cam.Valide_Record = 2;  // a checked button first, which the next load must clear
    panel.Load(cam);
    ASSERT_TRUE(panel.RBT_Rec_2->isChecked());

    cam.Valide_Record = 7;
    panel.Load(cam);
    for (QRadioButton* button : panel.Rec_Buttons())
        EXPECT_FALSE(button->isChecked()) << button->objectName().toStdString();
    EXPECT_FALSE(panel.EDT_K_Detect->isEnabled());
    EXPECT_FALSE(panel.EDT_Rec_3_On->isEnabled());
    EXPECT_FALSE(panel.EDT_Rec_3_Off->isEnabled());

    T_Cam saved = cam;
    panel.Save(saved);
    EXPECT_EQ(saved.Valide_Record, 7);
    saved.Valide_Record = 5;
    panel.Save(saved);
    EXPECT_EQ(saved.Valide_Record, 5) << "no button checked keeps the field";

    // The group is exclusive again: checking one button unchecks the other.
    panel.RBT_Rec_1->click();
    panel.RBT_Rec_3->click();
    EXPECT_FALSE(panel.RBT_Rec_1->isChecked());
}

TEST(Settings_Panel, EachModeButtonGivesItsMode)
{
    Settings_Panel panel;
    panel.Load(Default_Cam(1));
    const auto buttons = panel.Rec_Buttons();
    for (int mode = 3; mode >= 0; --mode) {
        buttons[static_cast<std::size_t>(mode)]->click();
        T_Cam saved = Other_Cam();
        panel.Save(saved);
        EXPECT_EQ(saved.Valide_Record, mode);
    }
}

TEST(Settings_Panel, EnablingRulesForEveryCombination)
{
    struct Expect {
        bool url;
        bool threshold;
        bool timer;
    };
    Settings_Panel panel;
    for (bool use_url : {false, true}) {
        for (int mode : {0, 1, 2, 3, 7, -1}) {
            const Expect expect{use_url, mode == 2, mode == 3};
            const std::string name = "use url " + std::to_string(use_url) + ", mode " + std::to_string(mode);
            const auto check = [&](const char* how) {
                EXPECT_EQ(panel.LBL_Url->isEnabled(), expect.url) << name << how;
                EXPECT_EQ(panel.EDT_Url->isEnabled(), expect.url) << name << how;
                EXPECT_EQ(panel.LBL_K_Detect->isEnabled(), expect.threshold) << name << how;
                EXPECT_EQ(panel.EDT_K_Detect->isEnabled(), expect.threshold) << name << how;
                EXPECT_EQ(panel.LBL_Rec_3_On->isEnabled(), expect.timer) << name << how;
                EXPECT_EQ(panel.EDT_Rec_3_On->isEnabled(), expect.timer) << name << how;
                EXPECT_EQ(panel.LBL_Rec_3_Off->isEnabled(), expect.timer) << name << how;
                EXPECT_EQ(panel.EDT_Rec_3_Off->isEnabled(), expect.timer) << name << how;
                // Rows the rules never touch.
                EXPECT_TRUE(panel.EDT_Alias->isEnabled()) << name << how;
                EXPECT_TRUE(panel.EDT_Frequence_Rec->isEnabled()) << name << how;
            };

            // From the opposite state, by loading a record.
            T_Cam opposite = Default_Cam(1);
            opposite.Use_Url = !use_url;
            opposite.Valide_Record = mode == 2 ? 3 : 2;
            panel.Load(opposite);
            T_Cam cam = Default_Cam(1);
            cam.Use_Url = use_url;
            cam.Valide_Record = mode;
            panel.Load(cam);
            check(" (load)");

            // The same states set by hand (as clicks leave them), then the rules.
            if (mode < 0 || mode > 3)
                continue;
            panel.Load(opposite);
            panel.CKB_Use_URL->setChecked(use_url);
            panel.Rec_Buttons()[static_cast<std::size_t>(mode)]->setChecked(true);
            panel.Apply_Enabling_Rules();
            check(" (rules)");
        }
    }
}

TEST(Settings_Panel, UrlRuleLeavesTheOtherRowsAlone)
{
    Settings_Panel panel;
    panel.Load(Default_Cam(1));  // mode 0, no URL: threshold and timer rows disabled
    panel.RBT_Rec_2->setChecked(true);
    panel.CKB_Use_URL->setChecked(true);
    panel.Apply_Url_Rule();
    EXPECT_TRUE(panel.EDT_Url->isEnabled());
    EXPECT_TRUE(panel.LBL_Url->isEnabled());
    EXPECT_FALSE(panel.EDT_K_Detect->isEnabled());
    EXPECT_FALSE(panel.LBL_K_Detect->isEnabled());
}

TEST(Settings_Panel, LoadEmitsNoCheckBoxOrModeSignal)
{
    Settings_Panel panel;
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    std::vector<std::string> senders;
    const auto spy_on = [&](auto* sender, auto signal) {
        spies.push_back(std::make_unique<QSignalSpy>(sender, signal));
        senders.push_back(static_cast<QObject*>(sender) == panel.Rec_Group ? "Rec_Group"
                                                                           : sender->objectName().toStdString());
    };
    for (QCheckBox* box : {panel.CKB_Cam_Valide, panel.CKB_Use_URL}) {
        spy_on(box, &QCheckBox::toggled);
        spy_on(box, &QCheckBox::stateChanged);
        spy_on(box, &QCheckBox::clicked);
    }
    for (QRadioButton* button : panel.Rec_Buttons()) {
        spy_on(button, &QRadioButton::toggled);
        spy_on(button, &QRadioButton::clicked);
    }
    spy_on(panel.Rec_Group, &QButtonGroup::idToggled);
    spy_on(panel.Rec_Group, &QButtonGroup::buttonToggled);
    spy_on(panel.Rec_Group, &QButtonGroup::idClicked);

    // Every state flips at least once across these loads.
    T_Cam cam = Default_Cam(1);
    for (int mode : {0, 1, 2, 3, 7, 0}) {
        cam.Valide = !cam.Valide;
        cam.Use_Url = !cam.Use_Url;
        cam.Valide_Record = mode;
        panel.Load(cam);
    }
    for (std::size_t i = 0; i < spies.size(); ++i)
        EXPECT_EQ(spies[i]->count(), 0) << spies[i]->signal().toStdString() << " of " << senders[i];

    // The signals work again after a load.
    QSignalSpy toggled(panel.CKB_Cam_Valide, &QCheckBox::toggled);
    QSignalSpy mode_toggled(panel.Rec_Group, &QButtonGroup::idToggled);
    panel.CKB_Cam_Valide->toggle();
    panel.RBT_Rec_1->setChecked(true);
    EXPECT_EQ(toggled.count(), 1);
    EXPECT_GE(mode_toggled.count(), 1);
}

TEST(Settings_Panel, RecordingValueBelowOneBecomesOne)
{
    struct Row {
        const char* name;
        QString typed;
        int value;
        QString shown;
    };
    const Row rows[] = {
        {"empty", "", 1, "1"},
        {"zero", "0", 1, "1"},
        {"negative", "-5", 1, "1"},
        {"beyond 32 bits reads 0", "99999999999", 1, "1"},
        {"positive kept", "12", 12, "12"},
    };
    Settings_Panel panel;
    for (const Row& row : rows) {
        panel.EDT_Frequence_Rec->setText(row.typed);
        EXPECT_EQ(Settings_Panel::Take_Recording_Value(panel.EDT_Frequence_Rec), row.value) << row.name;
        EXPECT_EQ(panel.EDT_Frequence_Rec->text(), row.shown) << row.name;
    }
}

}  // namespace
