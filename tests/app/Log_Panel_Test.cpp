#include "Main_Window_Fixture.h"
#include "views/Camera_Grid.h"
#include "views/Log_Panel.h"

#include "control/Ptz_Panel.h"
#include "views/Settings_Panel.h"
#include <QTimer>

#include <QPlainTextEdit>
#include <QPushButton>

namespace {

class Log_Test : public Main_Window_Test {
protected:
    void SetUp() override
    {
        Start().TMR_Refresh_Cam->stop();
        window_->show();
    }
    Main_Window_Probe& W() { return Probe(); }
    Log_Panel& L() { return *Probe().PNL_Visue_Expert; }
    QPushButton* Log_Button() { return Probe().PNL_Config->BTN_Start_Log; }
    bool Panel_Shown() { return L().isVisibleTo(window_.get()); }
    QString Text() { return L().MMO_Log_Display->toPlainText(); }
};

TEST_F(Log_Test, PressingLogEmptiesTheLogAndShowsThePanel)
{
    L().Append_Line("old line\r");
    Log_Button()->click();
    EXPECT_TRUE(W().Log_Active);
    EXPECT_TRUE(Panel_Shown());
    EXPECT_TRUE(Text().isEmpty());
    EXPECT_TRUE(L().BTN_Start_Log_PNL->isChecked());
}

TEST_F(Log_Test, ReleasingLogKeepsThePanelAndItsText)
{
    Log_Button()->click();
    L().Append_Line("kept\r");
    Log_Button()->click();
    EXPECT_FALSE(W().Log_Active);
    EXPECT_TRUE(Panel_Shown());
    EXPECT_EQ(Text(), "kept");
    EXPECT_FALSE(L().BTN_Start_Log_PNL->isChecked());
}

TEST_F(Log_Test, StartWhileLoggingEmptiesTheLogAndGoesOn)
{
    Log_Button()->click();
    L().Append_Line("line\r");
    L().BTN_Start_Log_PNL->click();
    EXPECT_TRUE(W().Log_Active);
    EXPECT_TRUE(Text().isEmpty());
    EXPECT_TRUE(Log_Button()->isChecked());
    EXPECT_TRUE(L().BTN_Start_Log_PNL->isChecked());
}

TEST_F(Log_Test, StopEndsLoggingAndKeepsTheText)
{
    Log_Button()->click();
    L().Append_Line("line\r");
    L().BTN_Stop_Log_PNL->click();
    EXPECT_FALSE(W().Log_Active);
    EXPECT_FALSE(Log_Button()->isChecked());
    EXPECT_TRUE(L().BTN_Stop_Log_PNL->isChecked());
    EXPECT_FALSE(L().BTN_Start_Log_PNL->isChecked());
    EXPECT_EQ(Text(), "line");
    EXPECT_TRUE(Panel_Shown());
    // A pressed button stays pressed when clicked again.
    L().BTN_Stop_Log_PNL->click();
    EXPECT_TRUE(L().BTN_Stop_Log_PNL->isChecked());
}

TEST_F(Log_Test, ExitThenLogShowsThePanelEmptiedWithStartPressed)
{
    Log_Button()->click();
    L().Append_Line("line\r");
    L().BTN_Exit_Log->click();
    EXPECT_FALSE(W().Log_Active);
    EXPECT_FALSE(Log_Button()->isChecked());
    EXPECT_FALSE(Panel_Shown());
    Log_Button()->click();
    EXPECT_TRUE(Panel_Shown());
    EXPECT_TRUE(Text().isEmpty());
    EXPECT_TRUE(L().BTN_Start_Log_PNL->isChecked());
}

TEST_F(Log_Test, TheLogPanelsCloseButtonEndsLoggingAndHidesIt)
{
    Log_Button()->click();
    L().Append_Line("line\r");
    EXPECT_TRUE(L().Close_By_Button());
    EXPECT_FALSE(W().Log_Active);
    EXPECT_FALSE(Log_Button()->isChecked());
    EXPECT_FALSE(Panel_Shown());
    EXPECT_EQ(Text(), "line");
}

TEST_F(Log_Test, ThePtzPanelsCloseButtonEndsLoggingButLeavesTheLogShown)
{
    Log_Button()->click();
    W().BTN_Show_PtzClick();
    EXPECT_TRUE(W().PNL_Ptz->Close_By_Button());
    EXPECT_FALSE(W().PNL_Ptz->isVisibleTo(&W().Window));
    EXPECT_FALSE(W().Log_Active);
    EXPECT_FALSE(Log_Button()->isChecked());
    EXPECT_TRUE(Panel_Shown());
}

TEST_F(Log_Test, TheLogKeepsItsLastLinesOnly)
{
    for (int i = 1; i <= Log_Panel::Max_Lines + 5; ++i)
        L().Append_Line("line " + std::to_string(i) + "\r");
    EXPECT_EQ(L().MMO_Log_Display->blockCount(), Log_Panel::Max_Lines);
    EXPECT_TRUE(Text().startsWith("line 6\n"));
    EXPECT_TRUE(Text().endsWith("line " + QString::number(Log_Panel::Max_Lines + 5)));
}

}  // namespace
