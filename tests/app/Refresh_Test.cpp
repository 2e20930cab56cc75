#include "Main_Window_Fixture.h"
#include "acquisition/UF_Lib_Cam.h"
#include "camsim/Camsim_Server.h"
#include "views/Camera_Grid.h"
#include "views/Settings_Panel.h"
#include "views/UF_Full_Screen.h"
#include "widgets/Busy_Animation.h"
#include "widgets/Panel.h"
#include "widgets/Picture_Box.h"

#include <QPushButton>

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

// A main window on simulated cameras, its refresh passes run by the test.
class Refresh_Test : public Main_Window_Test {
protected:
    void SetUp() override
    {
        Camsim_Options options;
        options.Password = "pw";
        options.Slow_Ms = 800;
        cameras_ = Start_Cameras(2, options);
        Main_Window_Probe& w = Start(&clock_);
        for (int slot = 3; slot <= 9; ++slot)
            w.Cam[slot].Valide = false;
        Use_Cameras(w, *cameras_);
    }

    Main_Window_Probe& W() { return Probe(); }
    T_Cam_Slot_Controls& Slot(int n) { return W().Grid().Slot(n); }
    QColor Label_Color(int n) { return Slot(n).LBL_Cam->palette().color(QPalette::WindowText); }
    int Snapshots(int camera) { return cameras_->Camera(camera).Counters().Requests_By_Path["/snapshot.cgi"]; }

    // Runs passes 20 ms apart until the condition holds (at most 5 s).
    template <typename Condition>
    bool Pass_Until(Condition condition)
    {
        for (int i = 0; i < 250; ++i) {
            W().Refresh_Cams();
            if (condition())
                return true;
            QTest::qWait(20);
        }
        return false;
    }

    Fake_Clock clock_;
    std::unique_ptr<Camsim_Server> cameras_;
};

TEST_F(Refresh_Test, ALiveCameraTurnsItsLabelGreenAndShowsThePicture)
{
    W().CBX_Nb_Cam->setCurrentIndex(1);
    W().Refresh_Cams();
    EXPECT_EQ(Label_Color(1), QColor(229, 20, 0));
    EXPECT_TRUE(Slot(1).GIF_Cam->isVisibleTo(Slot(1).PNL_Status_Cam));
    EXPECT_TRUE(Slot(1).GIF_Cam->Animate());
    ASSERT_TRUE(Pass_Until([&] { return Label_Color(1) == QColor(0, 137, 0); }));
    EXPECT_EQ(Slot(1).LBL_Cam->text(), "1-CAM1");
    EXPECT_TRUE(Slot(1).LBL_Cam->font().bold());
    EXPECT_TRUE(Slot(1).IMG_Cam->isVisibleTo(Slot(1).PNL_Status_Cam));
    // Handed over at the panel's size, smaller than the camera's 160 x 120.
    EXPECT_EQ(Slot(1).IMG_Cam->Picture().size(), Slot(1).IMG_Cam->size());
    EXPECT_FALSE(Slot(1).GIF_Cam->isVisibleTo(Slot(1).PNL_Status_Cam));
    EXPECT_EQ(Slot(1).PNL_Status_Cam->Caption(), "");
    // Recording after motion measures whole pictures: their motion samples come with them from then on.
    W().Cam[1].Valide_Record = 2;
    EXPECT_TRUE(Pass_Until([&] { return W().Lib_Cam[1]->Result().Motion != nullptr; }));
    EXPECT_EQ(Slot(1).IMG_Cam->Picture().size(), Slot(1).IMG_Cam->size());
}

TEST_F(Refresh_Test, AFailingCameraWaitsThenRecovers)
{
    cameras_->Camera(1).Set_Fault(Camsim_Fault::Not_Found_404);
    W().Refresh_Cams();
    std::this_thread::sleep_for(300ms);
    W().Refresh_Cams();
    EXPECT_EQ(Label_Color(1), QColor(229, 20, 0));
    EXPECT_FALSE(Slot(1).IMG_Cam->isVisibleTo(Slot(1).PNL_Status_Cam));
    EXPECT_FALSE(Slot(1).IMG_Cam->Has_Picture());
    EXPECT_TRUE(Slot(1).GIF_Cam->isVisibleTo(Slot(1).PNL_Status_Cam));

    cameras_->Camera(1).Set_Fault(Camsim_Fault::Keep_Alive);
    ASSERT_TRUE(Pass_Until([&] { return Label_Color(1) == QColor(0, 137, 0); }));
    EXPECT_TRUE(Slot(1).IMG_Cam->Has_Picture());
}

TEST_F(Refresh_Test, SlotsBeyondTheCountAreNeitherFetchedNorChanged)
{
    // Camera 2's settings point at a live camera, but only one panel is shown.
    W().CBX_Nb_Cam->setCurrentIndex(0);
    W().Cam[5] = W().Cam[2];
    const QString label_five = Slot(5).LBL_Cam->text();
    ASSERT_TRUE(Pass_Until([&] { return Label_Color(1) == QColor(0, 137, 0); }));
    EXPECT_EQ(Snapshots(2), 0);
    EXPECT_EQ(Slot(5).LBL_Cam->text(), label_five);
    EXPECT_EQ(W().Lib_Cam[2]->Attempts(), 0);
    EXPECT_EQ(W().Lib_Cam[5]->Attempts(), 0);
}

TEST_F(Refresh_Test, ADisabledCameraShowsDisabledAndIsNotFetched)
{
    W().CBX_Nb_Cam->setCurrentIndex(1);
    W().Cam[2].Valide = false;
    for (int i = 0; i < 5; ++i) {
        W().Refresh_Cams();
        QTest::qWait(20);
    }
    EXPECT_EQ(Slot(2).PNL_Status_Cam->Caption(), "disabled");
    EXPECT_EQ(Slot(2).PNL_Status_Cam->Color(), QColor(Qt::black));
    EXPECT_FALSE(Slot(2).IMG_Cam->isVisibleTo(Slot(2).PNL_Status_Cam));
    EXPECT_EQ(Label_Color(2), QColor(229, 20, 0));
    EXPECT_EQ(Snapshots(2), 0);
}

TEST_F(Refresh_Test, AFetchSlowerThanTheTimerStartsNoSecondFetchAndLogsTheSameTime)
{
    ASSERT_TRUE(Pass_Until([&] { return Label_Color(1) == QColor(0, 137, 0); }));
    // Let the fetch the last pass requested finish, so the next one is slow.
    for (int i = 0; i < 100 && W().Lib_Cam[1]->Fetching(); ++i)
        QTest::qWait(10);
    cameras_->Camera(1).Set_Fault(Camsim_Fault::Slow);
    W().Log_Active = true;
    const int64_t before = W().Lib_Cam[1]->Attempts();
    W().Refresh_Cams();  // starts the slow fetch
    for (int i = 0; i < 100 && W().Lib_Cam[1]->Attempts() == before; ++i)
        QTest::qWait(5);
    const int64_t attempts = W().Lib_Cam[1]->Attempts();
    ASSERT_EQ(attempts, before + 1);
    W().MMO_Log_Display->clear();
    W().Refresh_Cams();
    QTest::qWait(50);
    W().Refresh_Cams();
    EXPECT_EQ(W().Lib_Cam[1]->Attempts(), attempts);
    const QStringList lines = W().MMO_Log_Display->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 2) << W().MMO_Log_Display->toPlainText().toStdString();
    EXPECT_EQ(lines[0], lines[1]);
    EXPECT_TRUE(lines[0].startsWith(QString::fromUtf8("14:03:07_045 | Thread CAM N\xC2\xB0"
                                                      "1 | Time requested : ")));
    EXPECT_EQ(Label_Color(1), QColor(0, 137, 0));
}

TEST_F(Refresh_Test, NothingIsLoggedWhileLoggingIsOff)
{
    W().Log_Active = false;
    W().Refresh_Cams();
    EXPECT_TRUE(W().MMO_Log_Display->toPlainText().isEmpty());
}

TEST_F(Refresh_Test, ASpecialUrlOfBlanksGivesAnEmptyUrlAndTheWaitingLook)
{
    W().Cam[1].Use_Url = true;
    W().Cam[1].Special_Url = "   ";
    W().Log_Active = true;
    W().Refresh_Cams();
    std::this_thread::sleep_for(100ms);
    W().Refresh_Cams();
    EXPECT_EQ(W().Lib_Cam[1]->Url(), "");
    EXPECT_TRUE(Slot(1).GIF_Cam->isVisibleTo(Slot(1).PNL_Status_Cam));
    EXPECT_TRUE(W().MMO_Log_Display->toPlainText().endsWith("| NOT CONNECTED TO NETWORK! | URL : \"\""));
}

TEST_F(Refresh_Test, AnAddressWithATrailingBlankKeepsItBeforeThePort)
{
    W().Cam[1].Ad_Ip = "127.0.0.1 ";
    W().Refresh_Cams();
    EXPECT_EQ(W().Lib_Cam[1]->Url(),
              "http://127.0.0.1 :" + std::to_string(cameras_->Port(1)) + "/snapshot.cgi?user=admin&pwd=pw");
}

TEST_F(Refresh_Test, AnUntrustedCertificateIsOfferedAndOneClickPinsIt)
{
    Camsim_Options options;
    options.Password = "pw";
    options.Tls.emplace_back(1, Camsim_Tls{});
    const auto https = Start_Cameras(1, options);
    const std::string fingerprint = https->Fingerprint(1);
    W().Cam[1].Use_Url = true;
    W().Cam[1].Special_Url = https->Base_Url(1) + "/snapshot.cgi?user=admin&pwd=pw";
    W().Load_Cam_Setting(1);
    W().Log_Active = true;
    QPushButton* trust = W().PNL_Config->BTN_Trust_Cert;
    ASSERT_TRUE(Pass_Until([&] { return trust->isVisibleTo(W().PNL_Config); }));
    EXPECT_EQ(W().PNL_Config->Offered_Certificate(), fingerprint);
    EXPECT_TRUE(trust->toolTip().contains(QString::fromStdString(fingerprint)));
    EXPECT_TRUE(
        W().MMO_Log_Display->toPlainText().contains(QString::fromStdString("| Thread CAM N\xC2\xB0"
                                                                           "1 | certificate not trusted: SHA-256 " +
                                                                           fingerprint)));
    EXPECT_EQ(https->Camera(1).Counters().Requests_By_Path.count("/snapshot.cgi"), 0u);
    EXPECT_EQ(Label_Color(1), QColor(229, 20, 0));

    QTest::mouseClick(trust, Qt::LeftButton);
    EXPECT_EQ(W().Cam[1].Cert_Sha256, fingerprint);
    EXPECT_FALSE(trust->isVisibleTo(W().PNL_Config));
    ASSERT_TRUE(Pass_Until([&] { return Label_Color(1) == QColor(0, 137, 0); }));
    EXPECT_FALSE(trust->isVisibleTo(W().PNL_Config));
}

TEST_F(Refresh_Test, AStreamIsShownLikeSnapshotsAndClosedWhenItsPanelIsHidden)
{
    W().CBX_Nb_Cam->setCurrentIndex(1);
    W().Cam[2].Use_Url = true;
    W().Cam[2].Special_Url = cameras_->Stream_Url(2);
    W().Log_Active = true;
    ASSERT_TRUE(Pass_Until([&] { return Label_Color(2) == QColor(0, 137, 0); }));
    EXPECT_EQ(Snapshots(2), 0);
    EXPECT_EQ(cameras_->Camera(2).Counters().Streams_Open, 1);

    W().CBX_Nb_Cam->setCurrentIndex(0);  // camera 2 is no longer shown
    W().Refresh_Cams();
    for (int i = 0; i < 100 && cameras_->Camera(2).Counters().Streams_Open > 0; ++i)
        QTest::qWait(10);
    EXPECT_EQ(cameras_->Camera(2).Counters().Streams_Open, 0);
    EXPECT_EQ(cameras_->Camera(2).Counters().Streams_Opened, 1);
}

TEST_F(Refresh_Test, TheFullScreenCameraIsTheOnlyOneFetchedAndIsMirrored)
{
    W().CBX_Nb_Cam->setCurrentIndex(1);
    TF_Full_Screen full;
    W().F_Full_Screen = &full;
    full.resize(600, 450);
    full.show();
    W().N_Cam_Full_Screen = 2;
    ASSERT_TRUE(Pass_Until([&] { return full.LBL_Cam->palette().color(QPalette::WindowText) == QColor(0, 137, 0); }));
    EXPECT_EQ(Snapshots(1), 0);
    EXPECT_EQ(full.N_Cam, 2);
    EXPECT_EQ(full.LBL_Cam->text(), "2-CAM2");
    EXPECT_TRUE(full.IMG_Cam->Has_Picture());
    // Larger than the camera's pictures: shown whole.
    EXPECT_TRUE(Pass_Until([&] { return full.IMG_Cam->Picture().size() == QSize(160, 120); }));
    // Slot 1 is frozen: picture control shown, no animation, label red.
    EXPECT_EQ(Label_Color(1), QColor(229, 20, 0));
    EXPECT_FALSE(Slot(1).GIF_Cam->isVisibleTo(Slot(1).PNL_Status_Cam));

    full.hide();
    W().Refresh_Cams();
    EXPECT_FALSE(full.IMG_Cam->Has_Picture());
    W().F_Full_Screen = nullptr;
}

TEST_F(Refresh_Test, AFullScreenSlotBeyondTheCountHandlesNoSlot)
{
    TF_Full_Screen full;
    W().F_Full_Screen = &full;
    full.show();
    W().N_Cam_Full_Screen = 5;
    W().Refresh_Cams();
    QTest::qWait(100);
    W().Refresh_Cams();
    EXPECT_EQ(Snapshots(1), 0);
    EXPECT_EQ(full.N_Cam, 0);
    W().F_Full_Screen = nullptr;
}

}  // namespace
