#include "Main_Window_Fixture.h"
#include "acquisition/UF_Lib_Cam.h"
#include "app/Tambrel_Application.h"
#include "camsim/Camsim_Server.h"
#include "imaging/Jpeg_Codec.h"
#include "views/Camera_Grid.h"
#include "views/Settings_Panel.h"
#include "widgets/Folder_Edit.h"
#include "widgets/Picture_Box.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// The recording step inside real refresh passes, on simulated cameras and a hand-set clock.
class Recording_Test : public Main_Window_Test {
protected:
    void SetUp() override
    {
        cameras_ = Start_Cameras(2);
        Main_Window_Probe& w = Start(&clock_);
        w.CBX_Nb_Cam->setCurrentIndex(1);
        Use_Cameras(w, *cameras_);
        dest_ = home_.File("snapshots");
        w.PNL_Config->DED_Dest_Folder->Set_Path(QString::fromStdString(dest_));
        // Both cameras live before the test starts.
        for (int i = 0; i < 250 && !(Live(1) && Live(2)); ++i) {
            w.Refresh_Cams();
            QTest::qWait(20);
        }
    }

    Main_Window_Probe& W() { return Probe(); }
    bool Live(int n) { return !W().Lib_Cam[static_cast<std::size_t>(n)]->Not_Connected(); }
    // Runs one pass at the clock's tick `tick_s` seconds (the camera is live by then).
    void Pass_At(double tick_s)
    {
        clock_.tick = static_cast<int64_t>(tick_s * 1000) + 10'000'000;
        W().Refresh_Cams();
    }
    std::vector<std::string> Files(const std::string& alias)
    {
        std::vector<std::string> names;
        const std::string folder = dest_ + "/" + alias + "/2015_12_12";
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(folder, ec))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    Fake_Clock clock_;
    std::unique_ptr<Camsim_Server> cameras_;
    std::string dest_;
};

TEST_F(Recording_Test, ModeOneSavesAtTheFirstPassThenOncePerInterval)
{
    W().Cam[1].Valide_Record = 1;
    W().Frequence_Rec = 5;
    // Passes once a second; each pass reads its own time for the file name.
    int saved_at_pass = 0;
    for (int second = 0; second <= 12; ++second) {
        clock_.now.Second = second;
        const std::size_t before = Files("CAM1").size();
        Pass_At(second);
        if (Files("CAM1").size() > before)
            saved_at_pass += 1 << second;
    }
    // The first pass saves (the tick starts far in the past), then the first pass more than 5 s later.
    EXPECT_EQ(saved_at_pass, (1 << 0) | (1 << 6) | (1 << 12));
    EXPECT_EQ(Files("CAM1"),
              (std::vector<std::string>{"IMG_14_03_00__045.jpg", "IMG_14_03_06__045.jpg", "IMG_14_03_12__045.jpg"}));
    EXPECT_TRUE(W().Grid().Slot(1).IMG_Status_Rec->isVisibleTo(W().PNL_Cams));
    EXPECT_EQ(W().Grid().Slot(1).IMG_Status_Rec->Picture(), W().IMG_Mod_Rec);
    EXPECT_FALSE(W().Grid().Slot(1).PGB_Detect_Cam->isVisibleTo(W().PNL_Cams));

    // The saved file is the picture shown, re-encoded: same size.
    const std::string path = dest_ + "/CAM1/2015_12_12/IMG_14_03_00__045.jpg";
    const std::string bytes = Read_File(path);
    EXPECT_EQ(Jpeg_Decode(bytes.data(), bytes.size()).size(), QSize(160, 120));
}

TEST_F(Recording_Test, ModeTwoShowsTheGaugeAndRecordsWhileMotionLasts)
{
    W().Cam[1].Valide_Record = 2;
    W().Cam[1].K_Detect = 0;  // every pass with a picture is a detection
    W().Delay_Stop_Rec = 60;
    Pass_At(0);
    const T_Cam_Slot_Controls& c = W().Grid().Slot(1);
    EXPECT_TRUE(c.PGB_Detect_Cam->isVisibleTo(W().PNL_Cams));
    EXPECT_EQ(c.PGB_Detect_Cam->toolTip(), "% of live motion detection");
    EXPECT_EQ(c.IMG_Status_Rec->Picture(), W().IMG_Mod_RecDet);
    EXPECT_EQ(W().Rec_Slot[1].Rec_State, 2);
    EXPECT_EQ(Files("CAM1").size(), 1u);

    // Threshold out of reach: recording goes on until the stop delay has passed, then the icon returns.
    W().Cam[1].K_Detect = 101;
    Pass_At(59);
    EXPECT_EQ(W().Rec_Slot[1].Rec_State, 2);
    Pass_At(61);
    EXPECT_EQ(W().Rec_Slot[1].Rec_State, 0);
    EXPECT_EQ(c.IMG_Status_Rec->Picture(), W().IMG_Mod_NoRec);
}

TEST_F(Recording_Test, ModeZeroHidesTheIconAndSavesNothing)
{
    W().Cam[1].Valide_Record = 0;
    Pass_At(0);
    EXPECT_FALSE(W().Grid().Slot(1).IMG_Status_Rec->isVisibleTo(W().PNL_Cams));
    EXPECT_TRUE(Files("CAM1").empty());
}

TEST_F(Recording_Test, WithoutAnAbsoluteFolderNothingIsRecordedAndTheLogSaysWhy)
{
    // A relative folder would be taken from the current folder: make that one a folder of the test.
    const std::string start_folder = fs::current_path().string();
    const std::string current = home_.File("current");
    fs::create_directories(current);
    fs::current_path(current);
    const std::string alias = "Tambrel_Refused_Dest_Test";
    const bool root_had_it = fs::exists("/" + alias);
    W().Cam[1].Alias = alias;
    W().Cam[1].Valide_Record = 1;
    W().Frequence_Rec = 5;
    W().Log_Active = true;
    for (const char* folder : {"", "relative/rec"}) {
        SCOPED_TRACE(std::string("folder \"") + folder + "\"");
        W().PNL_Config->DED_Dest_Folder->Set_Path(QString::fromUtf8(folder));
        W().Rec_Slot[1] = T_Rec_Slot{};
        W().MMO_Log_Display->clear();
        for (double second : {0.0, 1.0, 6.0})
            Pass_At(second);
        EXPECT_FALSE(fs::exists(current + "/relative")) << "written under the current folder";
        EXPECT_EQ(fs::exists("/" + alias), root_had_it) << "written under the root";
        EXPECT_FALSE(W().Grid().Slot(1).IMG_Status_Rec->isVisibleTo(W().PNL_Cams));
        // One line per snapshot due (at 0 s and 6 s), none for the pass in between.
        const QString note = QString::fromUtf8("14:03:07_045 | Thread CAM N\xC2\xB0"
                                               "1 | NOT RECORDED! ");
        EXPECT_EQ(W().MMO_Log_Display->toPlainText().count(note), 2)
            << W().MMO_Log_Display->toPlainText().toStdString();
    }
    if (!root_had_it)
        fs::remove_all("/" + alias);
    fs::current_path(start_folder);
    // An absolute folder records again.
    W().PNL_Config->DED_Dest_Folder->Set_Path(QString::fromStdString(dest_));
    Pass_At(12);
    EXPECT_EQ(Files(alias).size(), 1u);
}

TEST_F(Recording_Test, TwoCamerasWithOneFolderNameKeepBothSnapshots)
{
    W().Cam[1].Alias = "Cam:1/2";
    W().Cam[2].Alias = "Cam12";
    W().Cam[1].Valide_Record = 1;
    W().Cam[2].Valide_Record = 1;
    Pass_At(0);
    EXPECT_EQ(Files("Cam12"), (std::vector<std::string>{"IMG_14_03_07__045.jpg", "IMG_14_03_07__045_2.jpg"}));
}

TEST_F(Recording_Test, AnUnwritableDestinationEndsThePassQuietlyAndWaitsOneInterval)
{
    // A plain file where the camera's folder should be.
    fs::create_directories(dest_);
    Write_File(dest_ + "/CAM1", "not a folder");
    W().Cam[1].Valide_Record = 1;
    W().Cam[2].Alias = "Second";
    const QString label_two = W().Grid().Slot(2).LBL_Cam->text();
    int dropped = 0;
    Tambrel_Application::Set_Exception_Observer([&](std::exception_ptr) { ++dropped; });
    // The refresh timer's own slot: the error ends the pass there and goes to the error handler; it
    // never travels on through Qt's signal machinery into the caller.
    clock_.tick = 10'000'000;
    EXPECT_NO_THROW(QMetaObject::invokeMethod(W().TMR_Refresh_Cam, "timeout", Qt::DirectConnection));
    Tambrel_Application::Set_Exception_Observer(nullptr);
    EXPECT_EQ(dropped, 1);
    // The pass ended at camera 1: camera 2 was not handled.
    EXPECT_EQ(W().Grid().Slot(2).LBL_Cam->text(), label_two);
    // The tick moved on: the next attempt is one interval later, not at the next pass.
    EXPECT_EQ(W().Rec_Slot[1].Tick_Rec, 10'000'000);
    Pass_At(1);
    EXPECT_EQ(W().Grid().Slot(2).LBL_Cam->text(), "2-Second");
}

}  // namespace
