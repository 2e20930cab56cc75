#include "Main_Window_Fixture.h"
#include "acquisition/UF_Lib_Cam.h"
#include "app/Tambrel_Application.h"
#include "app/Window_Layout.h"
#include "support/Test_Name_Server.h"
#include "views/Settings_Panel.h"

#include <QComboBox>
#include <QTest>

#include <QElapsedTimer>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>

#include <filesystem>

namespace {

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST_F(Main_Window_Test, FirstStartCreatesTheDataFolderAndEveryCameraSection)
{
    Main_Window_Probe& w = Start();
    EXPECT_FALSE(w.Creating);
    EXPECT_EQ(w.Dir_Data, Data_Dir());
    EXPECT_TRUE(std::filesystem::is_directory(Data_Dir()));

    const std::string datas = Read_File(Datas_Ini());
    for (int slot = 1; slot <= 9; ++slot) {
        const std::string n = std::to_string(slot);
        EXPECT_TRUE(Contains(datas, "[CAM" + n + "]\nValide=1\nType_Cam=0\nAlias=CAM" + n + "\n")) << slot;
        EXPECT_EQ(w.Cam[slot], Default_Cam(slot)) << slot;
    }
    // The layout file is only written at close.
    EXPECT_FALSE(std::filesystem::exists(Appli_Ini()));
}

TEST_F(Main_Window_Test, WindowFollowsItsFormDefinition)
{
    Main_Window_Probe& w = Start();
    EXPECT_EQ(w.Window.windowTitle(), "Tambrel");
    EXPECT_EQ(w.Window.size(), QSize(770, 658));
    EXPECT_EQ(w.Window.minimumSize(), QSize(280, 280));
    EXPECT_EQ(w.SPL_Global->handleWidth(), 10);
    EXPECT_EQ(w.Layout().Bar_Position(), 248);
    EXPECT_EQ(w.SPL_Global->widget(0), static_cast<QWidget*>(w.PNL_Config));
    EXPECT_EQ(w.STB_Main->currentMessage().toStdString(), std::string(TAMBREL_CONTACT_TEXT) + "  |  Tambrel V3.1");
    EXPECT_EQ(w.Url_Ver, "http://tambrel.invalid/vesk-soft/Tambrel/Tambrel.ver");
    EXPECT_EQ(w.Url_Exe, "http://tambrel.invalid/vesk-soft/Tambrel/Tambrel.exe");
    EXPECT_EQ(w.Url_Site, "http://tambrel.invalid/software/index.html");
}

TEST_F(Main_Window_Test, SettingsOfHiddenSlotsSurviveARestart)
{
    Main_Window_Probe& w = Start();
    w.Cam[9].Alias = "Garden";
    w.Cam[9].Password = "s3cret & more";
    Close_And_Destroy();

    Main_Window_Probe& again = Start();
    EXPECT_EQ(again.Cam[9].Alias, "Garden");
    EXPECT_EQ(again.Cam[9].Password, "s3cret & more");
}

TEST_F(Main_Window_Test, CloseWritesTheSettingsEvenWhenAppliIniCannotBeWritten)
{
    Start();
    window_.reset();
    // A folder where appli.ini should be: every write to it fails.
    std::filesystem::remove(Appli_Ini());
    std::filesystem::create_directory(Appli_Ini());

    Main_Window_Probe& w = Start();
    w.Cam[3].Alias = "Porch";
    Close_And_Destroy();
    EXPECT_TRUE(Contains(Read_File(Datas_Ini()), "Alias=Porch"));
}

TEST_F(Main_Window_Test, ASilentNameServerNeitherSlowsTheOtherCamerasNorHoldsTheClose)
{
    Test_Name_Server silent(Test_Name_Server::Mode::Silent);
    Http_Settings camera_http;
    camera_http.Name_Servers = silent.Address();
    const auto cameras = Start_Cameras(1);
    Main_Window_Probe& w = Start(nullptr, &camera_http);
    Use_Cameras(w, *cameras);
    w.Cam[2] = w.Cam[1];
    w.Cam[2].Ad_Ip = "gate.tambrel-test";  // asked of the silent name server
    w.Cam[2].Alias = "Hung";
    w.CBX_Nb_Cam->setCurrentIndex(1);
    w.CBX_Frame_Rate->setCurrentIndex(0);
    w.TMR_Refresh_Cam->start();

    int pictures = 0;
    qint64 last = 0;
    QElapsedTimer run;
    run.start();
    while (run.elapsed() < 1000) {
        QTest::qWait(50);
        const qint64 key = w.Lib_Cam[1]->BMP_Received().cacheKey();
        pictures += key != last && !w.Lib_Cam[1]->Not_Connected();
        last = key;
    }
    EXPECT_GE(pictures, 12) << "the camera beside the silent lookup keeps its pace";
    EXPECT_TRUE(w.Lib_Cam[2]->Not_Connected());
    EXPECT_GE(silent.Questions(), 1);

    QElapsedTimer closing;
    closing.start();
    Close_And_Destroy();
    EXPECT_LT(closing.elapsed(), 2000);
    EXPECT_TRUE(Contains(Read_File(Datas_Ini()), "Alias=Hung\n"));
}

TEST_F(Main_Window_Test, AnExceptionInATimerHandlerIsDroppedAndTheNextTickRuns)
{
    Start();
    int ticks = 0;
    int dropped = 0;
    Tambrel_Application::Set_Exception_Observer([&](std::exception_ptr) { ++dropped; });
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        throw std::runtime_error("handler failed");
    });
    timer.start();
    QElapsedTimer clock;
    clock.start();
    while (ticks < 3 && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    Tambrel_Application::Set_Exception_Observer(nullptr);
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(dropped, ticks);
}

TEST_F(Main_Window_Test, TimersAfterCreation)
{
    Main_Window_Probe& w = Start();
    EXPECT_TRUE(w.TMR_Refresh_Cam->isActive());
    EXPECT_TRUE(w.TMR_Update->isActive());
    EXPECT_EQ(w.TMR_Update->interval(), 10000);
    Close_And_Destroy();
}

}  // namespace
