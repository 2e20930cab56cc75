#include "Main_Window_Fixture.h"
#include "app/Window_Layout.h"
#include "platform/Private_Profile.h"

#include "views/Settings_Panel.h"

#include <QScrollArea>
#include <QSplitter>
#include <QTest>

namespace {

std::string Common(const std::string& file, const std::string& key)
{
    return Get_Private_Profile_String(file, "Common", key, "<missing>");
}

TEST_F(Main_Window_Test, CloseWritesTheSplitterAndDestructionThePlacement)
{
    Main_Window_Probe& w = Start();
    w.Window.show();
    QTest::qWait(20);
    w.Window.close();
    EXPECT_EQ(Common(Appli_Ini(), "SPL_GlobalPaneO"), "0,1");
    EXPECT_EQ(Common(Appli_Ini(), "SPL_GlobalPaneV"), "1,1");
    EXPECT_EQ(Common(Appli_Ini(), "SPL_GlobalBars"), std::to_string(w.Layout().Bar_Percent()));
    EXPECT_EQ(Common(Appli_Ini(), "F_Main"), "<missing>");
    window_.reset();
    EXPECT_EQ(Common(Appli_Ini(), "F_Main").rfind("200,0,1,", 0), 0u) << Common(Appli_Ini(), "F_Main");
}

TEST_F(Main_Window_Test, ColourAndFontKeysAreDeleted)
{
    Start();
    window_.reset();
    for (const char* key : {"SPL_GlobalColors", "SPL_GlobalFonts", "F_MainColor", "F_MainFont"})
        Write_Private_Profile_String(Appli_Ini(), "Common", key, "x");
    Start().Window.close();
    window_.reset();
    for (const char* key : {"SPL_GlobalColors", "SPL_GlobalFonts", "F_MainColor", "F_MainFont"})
        EXPECT_EQ(Common(Appli_Ini(), key), "<missing>") << key;
}

TEST_F(Main_Window_Test, AWindowClosedMaximizedReopensMaximized)
{
    Main_Window_Probe& w = Start();
    w.Window.showMaximized();
    QTest::qWait(20);
    Close_And_Destroy();
    EXPECT_EQ(Common(Appli_Ini(), "F_Main").rfind("200,0,3,", 0), 0u);

    Main_Window_Probe& again = Start();
    again.Window.show();
    QTest::qWait(20);
    EXPECT_TRUE(again.Window.isMaximized());
}

TEST_F(Main_Window_Test, StoredPlacementIsApplied)
{
    Start();
    window_.reset();
    Write_Private_Profile_String(Appli_Ini(), "Common", "F_Main", "200,0,1,40,30,640,530");
    Main_Window_Probe& w = Start();
    w.Window.show();
    QTest::qWait(20);
    EXPECT_EQ(w.Window.geometry(), QRect(40, 30, 600, 500));
}

class Rejected_Placement : public Main_Window_Test, public ::testing::WithParamInterface<const char*> {};

TEST_P(Rejected_Placement, LeavesTheFormDefinition)
{
    Start();
    window_.reset();
    Write_Private_Profile_String(Appli_Ini(), "Common", "F_Main", GetParam());
    Main_Window_Probe& w = Start();
    w.Window.show();
    QTest::qWait(20);
    EXPECT_EQ(w.Window.size(), QSize(770, 658));
    EXPECT_FALSE(w.Window.isMaximized());
}

INSTANTIATE_TEST_SUITE_P(Rows, Rejected_Placement,
                         ::testing::Values("200,0,3,40,30,640", "200,0,3,40,30,640,530,9", "100,0,3,40,30,640,530",
                                           "200,0,3,40,x,640,530"));

TEST_F(Main_Window_Test, SplitterValuesWithWrongItemsAreIgnored)
{
    Start();
    window_.reset();
    Write_Private_Profile_String(Appli_Ini(), "Common", "SPL_GlobalPaneO", "0,7");
    Write_Private_Profile_String(Appli_Ini(), "Common", "SPL_GlobalPaneV", "1,x");
    Write_Private_Profile_String(Appli_Ini(), "Common", "SPL_GlobalBars", "10,20");
    Main_Window_Probe& w = Start();
    EXPECT_EQ(w.SPL_Global->widget(0), static_cast<QWidget*>(w.PNL_Config));
    EXPECT_TRUE(w.PNL_Config->isVisibleTo(&w.Window));
    EXPECT_EQ(w.Layout().Bar_Position(), 248);
    EXPECT_FALSE(w.Creating);
}

TEST_F(Main_Window_Test, StoredSplitterIsApplied)
{
    Start();
    window_.reset();
    Write_Private_Profile_String(Appli_Ini(), "Common", "SPL_GlobalPaneO", "1,0");
    Write_Private_Profile_String(Appli_Ini(), "Common", "SPL_GlobalBars", "50");
    Write_Private_Profile_String(Appli_Ini(), "Common", "SPL_GlobalBarsOld", "120");
    Main_Window_Probe& w = Start();
    EXPECT_EQ(w.SPL_Global->widget(0), static_cast<QWidget*>(w.SPP_Right));
    EXPECT_EQ(w.Layout().Bar_Percent(), 50);
    EXPECT_EQ(w.Layout().Bar_Old(), 120);
}

struct Bar_Case {
    int before;
    int after;
};

class Activate_Bar_Rule : public Main_Window_Test, public ::testing::WithParamInterface<Bar_Case> {};

TEST_P(Activate_Bar_Rule, MovesANarrowColumnTo240)
{
    Main_Window_Probe& w = Start();
    w.Window.show();
    QTest::qWait(20);
    w.Layout().Set_Bar_Position(GetParam().before);
    w.FormActivate();
    EXPECT_EQ(w.Layout().Bar_Position(), GetParam().after);
    EXPECT_FALSE(w.Layout().Proportional());
}

INSTANTIATE_TEST_SUITE_P(Rows, Activate_Bar_Rule,
                         ::testing::Values(Bar_Case{100, 240}, Bar_Case{0, 0}, Bar_Case{237, 240}, Bar_Case{238, 238},
                                           Bar_Case{300, 300}));

TEST_F(Main_Window_Test, AfterActivationTheSettingsColumnKeepsItsWidth)
{
    Main_Window_Probe& w = Start();
    w.Window.show();
    QTest::qWait(20);
    w.FormActivate();
    const int bar = w.Layout().Bar_Position();
    w.Window.resize(1200, 700);
    QTest::qWait(20);
    EXPECT_EQ(w.Layout().Bar_Position(), bar);
}

}  // namespace
