#include "Main_Window_Fixture.h"
#include "camsim/Camsim_Server.h"
#include "control/Camera_Control.h"
#include "control/Ptz_Panel.h"
#include "update/Link_Label.h"
#include "update/UF_Update.h"
#include "update/Update_Check.h"
#include "views/Camera_Grid.h"
#include "views/Settings_Panel.h"
#include "views/UF_Full_Screen.h"
#include "widgets/Panel.h"
#include "widgets/Picture_Box.h"
#include "widgets/Repeat_Button.h"
#include "widgets/Text_Edit.h"
#include "widgets/Two_State_Switch.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// The PTZ panel and the full-screen window of a main window on simulated cameras.
class Ptz_Test : public Main_Window_Test {
protected:
    void SetUp() override
    {
        cameras_ = Start_Cameras(3);
        Main_Window_Probe& w = Start();
        w.CBX_Nb_Cam->setCurrentIndex(2);
        for (int n = 1; n <= 3; ++n)
            w.Cam[n].Alias = " Spot " + std::to_string(n) + " ";
        Use_Cameras(w, *cameras_);
        full_ = new TF_Full_Screen(&w.Window);
        w.Window.Attach_Full_Screen(full_);
        w.Window.show();
    }
    Main_Window_Probe& W() { return Probe(); }
    QString Strip() { return W().PNL_Ptz->PNL_Ptz_N_Cam->Caption(); }
    int Requests(int camera, const char* path) { return cameras_->Camera(camera).Counters().Requests_By_Path[path]; }

    std::unique_ptr<Camsim_Server> cameras_;
    TF_Full_Screen* full_ = nullptr;
};

TEST_F(Ptz_Test, ThePtzButtonOpensThePanelNamingTheSelectedCamera)
{
    W().CBX_N_Cam->setCurrentIndex(2);
    EXPECT_EQ(Strip(), "1-CAM1");  // untouched while closed
    W().BTN_Show_PtzClick();
    EXPECT_TRUE(W().PNL_Ptz->isVisible());
    EXPECT_EQ(Strip(), "3- Spot 3 ");
    // While open, the strip follows the camera to set.
    W().CBX_N_Cam->setCurrentIndex(1);
    EXPECT_EQ(Strip(), "2- Spot 2 ");
    // While closed it does not; opening again shows the current camera.
    W().PNL_Ptz->hide();
    W().CBX_N_Cam->setCurrentIndex(0);
    EXPECT_EQ(Strip(), "2- Spot 2 ");
    W().BTN_Show_PtzClick();
    EXPECT_EQ(Strip(), "1- Spot 1 ");
}

TEST_F(Ptz_Test, ARightClickOnAPictureSelectsItsCameraAndOpensThePanel)
{
    W().Camera_Picture_Mouse_Up(3, Qt::RightButton);
    EXPECT_EQ(W().Cam_To_Set(), 3);
    EXPECT_TRUE(W().PNL_Ptz->isVisible());
    EXPECT_EQ(Strip(), "3- Spot 3 ");
}

TEST_F(Ptz_Test, OtherButtonsOnAPictureDoNothing)
{
    W().Camera_Picture_Mouse_Up(2, Qt::LeftButton);
    EXPECT_EQ(W().Cam_To_Set(), 1);
    EXPECT_FALSE(W().PNL_Ptz->isVisible());
}

TEST_F(Ptz_Test, AJogGoesToTheSelectedCameraOnly)
{
    W().CBX_N_Cam->setCurrentIndex(1);
    W().BTN_Show_PtzClick();
    emit W().PNL_Ptz->BTN_Deplace_Gauche->Repeat_Click();
    EXPECT_EQ(Requests(2, "/decoder_control.cgi"), 1);
    EXPECT_EQ(Requests(1, "/decoder_control.cgi"), 0);
    EXPECT_NE(cameras_->Camera(2).Counters().Last_Request_Head.find(
                  "GET /decoder_control.cgi?user=admin&pwd=&command=4&onestep=1 HTTP/1.1\r\n"),
              std::string::npos);
}

TEST_F(Ptz_Test, WithNoCameraSelectedNothingIsSent)
{
    W().CBX_Nb_Cam->setCurrentIndex(-1);
    ASSERT_EQ(W().Cam_To_Set(), 0);
    emit W().PNL_Ptz->BTN_Deplace_Haut->Repeat_Click();
    W().PNL_Ptz->BTN_Go_PTZ[0]->click();
    W().PNL_Ptz->BTN_Flip_V->click();
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(cameras_->Camera(n).Counters().Connections, 0);
}

TEST_F(Ptz_Test, APresetGoesInTheModeOfTheSwitch)
{
    W().Commands().Set_Confirm([](const std::string&) { return Dbx_Answer::Yes; });
    W().PNL_Ptz->BTN_Go_PTZ[9]->click();
    EXPECT_NE(cameras_->Camera(1).Counters().Last_Request_Head.find("&command=49 HTTP"), std::string::npos);
    W().PNL_Ptz->SWT_Preset->click();
    ASSERT_TRUE(W().PNL_Ptz->SWT_Preset->isChecked());
    W().PNL_Ptz->BTN_Go_PTZ[9]->click();
    EXPECT_NE(cameras_->Camera(1).Counters().Last_Request_Head.find("&command=48 HTTP"), std::string::npos);
}

TEST_F(Ptz_Test, AcceptingTheUpdateOfferWhileAPresetQuestionWaitsClosesAsUsualAndAnswersNo)
{
    // A setting typed in the column and not committed yet; the PTZ panel in store mode.
    W().PNL_Config->EDT_Alias->setText("Typed before the update");
    W().PNL_Ptz->SWT_Preset->click();
    ASSERT_TRUE(W().PNL_Ptz->SWT_Preset->isChecked());

    const std::string download = "http://127.0.0.1:1/Tambrel.exe";
    std::vector<std::string> opened;
    std::string datas_when_opened;
    Link_Label LBL_Update("x", nullptr, [&](const std::string& url) {
        opened.push_back(url);
        datas_when_opened = Read_File(Datas_Ini());
        return true;
    });
    LBL_Update.Set_Target(download);

    // The update check runs while the store question waits in its own loop, as when the update
    // timer fires then; the program is old, so the offer shows, and the user accepts it.
    bool question_open = false;
    Update_Check_Outcome outcome;
    QTimer::singleShot(0, &W().Window, [&] {
        question_open = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr;
        Update_Check_Seams seams;
        seams.Today = [] { return QDate(2024, 6, 15); };
        seams.Program_File_Time = [] { return QDateTime(QDate(2024, 1, 15), QTime(10, 0)); };
        seams.Prompt = [](TF_Update& form) {
            form.show();
            form.BTN_Yes->click();
            return form.result();
        };
        outcome =
            Run_Update_Check(&W().Window, {"Tambrel", "V3.1", "http://127.0.0.1:1/Tambrel.ver"}, LBL_Update, seams);
    });
    QTimer safety;  // a question left open fails the test instead of hanging it
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    safety.start(10000);
    W().PNL_Ptz->BTN_Go_PTZ[2]->click();  // asks, and returns once the question is answered

    EXPECT_TRUE(question_open);
    EXPECT_TRUE(outcome.Ended);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(Requests(1, "/decoder_control.cgi"), 0) << "the open question counted as a Yes";
    EXPECT_FALSE(W().Window.isVisible()) << "the window was not closed";
    EXPECT_EQ(opened, std::vector<std::string>{download});
    EXPECT_NE(datas_when_opened.find("Alias=Typed before the update\n"), std::string::npos)
        << "the settings were not written before the download page opened";
}

TEST_F(Ptz_Test, ADoubleClickOnAGridPanelOpensTheFullScreenWindowOnThatCamera)
{
    W().Camera_Panel_Click(2);
    W().Camera_Picture_Double_Click(2);
    EXPECT_TRUE(full_->isVisible());
    EXPECT_EQ(W().N_Cam_Full_Screen, 2);
    W().Refresh_Cams();
    EXPECT_EQ(full_->N_Cam, 2);
    // Its PTZ panel drives the camera to set, which the click made camera 2.
    emit full_->PNL_Ptz->BTN_Deplace_Droite->Repeat_Click();
    EXPECT_EQ(Requests(2, "/decoder_control.cgi"), 1);
    // A name with no slot number opens nothing.
    full_->hide();
    W().Camera_Picture_Double_Click(0);
    EXPECT_FALSE(full_->isVisible());
}

TEST_F(Ptz_Test, TheFullScreenPanelPlacesAreKeptByTheMainWindow)
{
    W().N_Cam_Full_Screen = 1;
    full_->show();
    full_->PNL_Ptz->move(40, 50);
    full_->PNL_E_Fct->move(300, 20);
    full_->hide();
    EXPECT_EQ(W().Full_Screen_Places.Full_Screen_Ptz_Left, 40);
    EXPECT_EQ(W().Full_Screen_Places.Full_Screen_Ptz_Top, 50);
    EXPECT_EQ(W().Full_Screen_Places.Full_Screen_E_Fct_Left, 300);
    EXPECT_EQ(W().Full_Screen_Places.Full_Screen_E_Fct_Top, 20);
}

TEST_F(Ptz_Test, ClosingTheMainWindowReleasesTheFullScreenWindow)
{
    QPointer<TF_Full_Screen> full = full_;
    W().Window.close();
    QTest::qWait(20);
    EXPECT_TRUE(full.isNull());
}

}  // namespace

namespace {

TEST_F(Ptz_Test, APanelPlacedOutsideTheWindowComesBackInsideWhenOpened)
{
    W().Window.resize(770, 658);
    W().PNL_Ptz->move(5000, 4000);
    W().BTN_Show_PtzClick();
    EXPECT_TRUE(W().Window.rect().contains(W().PNL_Ptz->geometry()));
}

}  // namespace
