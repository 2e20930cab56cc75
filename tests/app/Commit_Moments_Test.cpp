#include "Main_Window_Fixture.h"
#include "views/Camera_Grid.h"
#include "widgets/Integer_Edit.h"

#include "views/Settings_Panel.h"
#include "widgets/Text_Edit.h"
#include "widgets/Time_Edit.h"
#include <QTimer>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>

namespace {

// The settings column commits into the camera being set at fixed moments only.
class Commit_Test : public Main_Window_Test {
protected:
    void SetUp() override
    {
        Main_Window_Probe& w = Start();
        w.TMR_Refresh_Cam->stop();
        w.CBX_Nb_Cam->setCurrentIndex(3);
        w.Window.show();
        QApplication::setActiveWindow(&w.Window);
        QTest::qWait(20);
    }
    Main_Window_Probe& W() { return Probe(); }
    Settings_Panel& P() { return *Probe().PNL_Config; }

    void Type_Into(QWidget* edit, const QString& text)
    {
        edit->setFocus();
        QTest::qWait(5);
        if (auto* line = qobject_cast<QLineEdit*>(edit))
            line->setText(text);
    }
    void Press_Enter(QWidget* edit)
    {
        QTest::keyPress(edit, Qt::Key_Return);
        QTest::keyRelease(edit, Qt::Key_Return);
    }
};

TEST_F(Commit_Test, TypingAloneCommitsNothingLeavingTheEditDoes)
{
    Type_Into(P().EDT_Port, "");
    EXPECT_EQ(W().Cam[1].Port, 8000);
    P().EDT_Login->setFocus();
    QTest::qWait(5);
    EXPECT_EQ(W().Cam[1].Port, 0);
}

TEST_F(Commit_Test, EnterCommitsAndMovesOnExceptInThePassword)
{
    Type_Into(P().EDT_Adresse_Ip, "127.0.0.2");
    Press_Enter(P().EDT_Adresse_Ip);
    EXPECT_EQ(W().Cam[1].Ad_Ip, "127.0.0.2");
    EXPECT_FALSE(P().EDT_Adresse_Ip->hasFocus());

    Type_Into(P().EDT_Password, "secret");
    Press_Enter(P().EDT_Password);
    EXPECT_EQ(W().Cam[1].Password, "secret");
    EXPECT_TRUE(P().EDT_Password->hasFocus());
}

TEST_F(Commit_Test, ANameTypedThenAnotherCameraChosenWithTheKeyboardIsKept)
{
    Type_Into(P().EDT_Alias, "Driveway");
    // The keyboard moves the focus to the camera list, then chooses camera 2 without opening it.
    P().CBX_N_Cam->setFocus();
    QTest::qWait(5);
    W().CBX_N_Cam->setCurrentIndex(1);
    EXPECT_EQ(W().Cam[1].Alias, "Driveway");
    EXPECT_EQ(P().EDT_Alias->text(), "CAM2");
}

TEST_F(Commit_Test, OpeningTheCameraListCommitsFirst)
{
    P().EDT_Login->setText("operator");
    emit P().CBX_N_Cam->Drop_Down();
    EXPECT_EQ(W().Cam[1].Login, "operator");
}

TEST_F(Commit_Test, ChoosingAnotherCameraLoadsItWithoutCommitting)
{
    W().Cam[2].Alias = "Back";
    P().EDT_Login->setText("not committed");
    W().CBX_N_Cam->setCurrentIndex(1);
    EXPECT_EQ(P().EDT_Alias->text(), "Back");
    EXPECT_EQ(W().Cam[1].Login, "admin");
}

TEST_F(Commit_Test, AThresholdWithAFractionIsShownRoundedAndStoredSoAtTheNextCommit)
{
    W().Cam[3].K_Detect = 12.7;
    W().Cam[3].Valide_Record = 2;
    W().CBX_N_Cam->setCurrentIndex(2);
    EXPECT_EQ(P().EDT_K_Detect->text(), "13");
    EXPECT_TRUE(P().EDT_K_Detect->isEnabled());
    W().Camera_Edit_Left();
    EXPECT_EQ(W().Cam[3].K_Detect, 13);
}

TEST_F(Commit_Test, AModeOutsideTheRadioButtonsIsShownAsNoneAndKept)
{
    W().Cam[2].Valide_Record = 7;
    W().CBX_N_Cam->setCurrentIndex(1);
    for (QRadioButton* radio : P().Rec_Buttons())
        EXPECT_FALSE(radio->isChecked());
    EXPECT_FALSE(P().EDT_K_Detect->isEnabled());
    EXPECT_FALSE(P().EDT_Rec_3_On->isEnabled());
    W().Camera_Edit_Left();
    EXPECT_EQ(W().Cam[2].Valide_Record, 7);
}

TEST_F(Commit_Test, ARadioClickAppliesTheRowsAndCommits)
{
    P().RBT_Rec_3->click();
    EXPECT_EQ(W().Cam[1].Valide_Record, 3);
    EXPECT_TRUE(P().EDT_Rec_3_On->isEnabled());
    EXPECT_FALSE(P().EDT_K_Detect->isEnabled());
}

TEST_F(Commit_Test, TickingUseUrlCommitsAndEnablesTheUrlRow)
{
    EXPECT_FALSE(P().EDT_Url->isEnabled());
    P().CKB_Use_URL->click();
    EXPECT_TRUE(W().Cam[1].Use_Url);
    EXPECT_TRUE(P().EDT_Url->isEnabled());
    // Loading a camera without it disables the row again, committing nothing.
    W().CBX_N_Cam->setCurrentIndex(1);
    EXPECT_FALSE(P().EDT_Url->isEnabled());
    EXPECT_FALSE(W().Cam[2].Use_Url);
}

TEST_F(Commit_Test, DisablingACameraCommitsAndLaysOutTheGrid)
{
    P().CKB_Cam_Valide->click();
    EXPECT_FALSE(W().Cam[1].Valide);
}

TEST_F(Commit_Test, AClearedIntervalShowsAndStoresOne)
{
    Type_Into(P().EDT_Frequence_Rec, "");
    P().EDT_Delay_Stop_Rec->setFocus();
    QTest::qWait(5);
    EXPECT_EQ(P().EDT_Frequence_Rec->text(), "1");
    EXPECT_EQ(W().Frequence_Rec, 1);
    Type_Into(P().EDT_Delay_Stop_Rec, "-3");
    Press_Enter(P().EDT_Delay_Stop_Rec);
    EXPECT_EQ(W().Delay_Stop_Rec, 1);
}

TEST_F(Commit_Test, ClickingACameraPanelCommitsThenLoadsThatCamera)
{
    W().Cam[4].Alias = "Yard";
    P().EDT_Login->setText("committed by the click");
    W().Camera_Panel_Click(4);
    EXPECT_EQ(W().Cam[1].Login, "committed by the click");
    EXPECT_EQ(W().Cam_To_Set(), 4);
    EXPECT_EQ(P().EDT_Alias->text(), "Yard");
    // A sender whose name ends in no slot number selects nothing (after the commit).
    W().Camera_Panel_Click(0);
    EXPECT_EQ(W().Cam_To_Set(), 4);
}

TEST_F(Commit_Test, ClosingTheWindowCommitsBeforeTheCamerasAreWritten)
{
    P().EDT_Alias->setText("Last words");
    Close_And_Destroy();
    Main_Window_Probe& again = Start();
    EXPECT_EQ(again.Cam[1].Alias, "Last words");
}

TEST_F(Commit_Test, RefreshAllCommitsAndRunsAPass)
{
    P().EDT_Adresse_Ip->setText("127.0.0.3");
    W().BTN_RefreshClick();
    EXPECT_EQ(W().Cam[1].Ad_Ip, "127.0.0.3");
}

}  // namespace
