#include "Main_Window_Fixture.h"

#include <QCoreApplication>
#include <QTimer>

Main_Window_Test::Main_Window_Test() : old_xdg_(qgetenv("XDG_DATA_HOME"))
{
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home_.Path()));
}

Main_Window_Test::~Main_Window_Test()
{
    window_.reset();
    qputenv("XDG_DATA_HOME", old_xdg_);
}

Main_Window_Probe& Main_Window_Test::Start(const Clock* clock, const Http_Settings* camera_http)
{
    probe_.reset();
    window_.reset();
    window_ = std::make_unique<TF_Main>(nullptr, clock, camera_http);
    probe_ = std::make_unique<Main_Window_Probe>(*window_);
    return *probe_;
}

void Main_Window_Test::Close_And_Destroy()
{
    window_->close();
    QCoreApplication::processEvents();
    probe_.reset();
    window_.reset();
}

std::unique_ptr<Camsim_Server> Start_Cameras(int count, Camsim_Options options)
{
    options.Count = count;
    options.Width = 160;
    options.Height = 120;
    auto cameras = std::make_unique<Camsim_Server>(options);
    cameras->Start();
    return cameras;
}

void Use_Cameras(Main_Window_Probe& window, Camsim_Server& cameras)
{
    window.TMR_Refresh_Cam->stop();
    for (int n = 1; n <= cameras.Count() && n <= Nb_Slots; ++n) {
        window.Cam[n].Valide = true;
        window.Cam[n].Ad_Ip = "127.0.0.1";
        window.Cam[n].Port = cameras.Port(n);
        window.Cam[n].Login = cameras.Options().Login;
        window.Cam[n].Password = cameras.Options().Password;
    }
    window.Load_Cam_Setting(window.Cam_To_Set());
}
