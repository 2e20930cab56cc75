// Fault soak: the viewer's main window, shown, recording every camera (mode 1) at 20 pictures a second,
// while six of nine simulated cameras cycle through every way a camera fails (hang, reset mid-body, short
// body, HTML page, 401, redirect, reboot, slow) and three stay healthy. Every minute it prints resident
// memory, threads and the pictures the healthy cameras showed; at the end, how long closing took.
// Ends with status 1 when a healthy camera stopped showing pictures or the window took over 2 s to close.
//
//   tambrel-fault-soak [--minutes 10] [--frame-rate 0]
//
// Run it under xvfb-run so that painting goes through a real X server (scripts/soak does).
#include "Camera_Grid.h"
#include "Camsim_Server.h"
#include "Folder_Edit.h"
#include "Http_Client.h"
#include "Picture_Box.h"
#include "Process_Stats.h"
#include "Settings_Panel.h"
#include "Tambrel_Application.h"
#include "UF_Main.h"

#include <QComboBox>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <map>
#include <vector>

namespace {

constexpr int Cameras = 9;
constexpr int Healthy = 3;            // cameras 1..3 never fail
constexpr int Fault_Seconds = 15;     // each fault lasts this long before the next

// One step of a failing camera's cycle: a fault mode, or a reboot request (the camera goes offline).
struct Fault_Step {
    const char* name;
    std::optional<Camsim_Fault> fault;
};

const std::vector<Fault_Step> Cycle = {
    {"hang", Camsim_Fault::Hang},         {"reset mid-body", Camsim_Fault::Reset_Mid_Body},
    {"short body", Camsim_Fault::Short_Body}, {"HTML page", Camsim_Fault::Html_200},
    {"401", Camsim_Fault::Unauthorized_401}, {"redirect", Camsim_Fault::Redirect_302},
    {"reboot", std::nullopt},             {"slow", Camsim_Fault::Slow},
    {"healthy", Camsim_Fault::Keep_Alive},
};

int Option(const QStringList& args, const QString& name, int fallback)
{
    const int at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args[at + 1].toInt() : fallback;
}

long Files_Below(const QString& folder)
{
    long count = 0;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext(); it.next())
        ++count;
    return count;
}

} // namespace

int main(int argc, char** argv)
{
    Tambrel_Application app(argc, argv);
    const int minutes = Option(app.arguments(), "--minutes", 10);
    const int frame_rate = Option(app.arguments(), "--frame-rate", 0);

    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());

    Camsim_Options options;
    options.Count = Cameras;
    options.Reboot_Ms = 3000;
    options.Slow_Ms = 3000;
    Camsim_Server cameras(options);
    cameras.Start();

    auto window = std::make_unique<TF_Main>();
    TF_Main& w = *window;
    w.CBX_Size_Pnl->setCurrentIndex(2);
    w.CBX_Nb_Cam->setCurrentIndex(Cameras - 1);
    for (int n = 1; n <= Cameras; ++n) {
        w.Cam[n].Valide = true;
        w.Cam[n].Ad_Ip = "127.0.0.1";
        w.Cam[n].Port = cameras.Port(n);
        w.Cam[n].Password = "";
        w.Cam[n].Valide_Record = 1;
    }
    w.Load_Cam_Setting(w.Cam_To_Set());
    const QString snapshots = home.path() + "/snapshots";
    w.PNL_Config->DED_Dest_Folder->Set_Path(snapshots);
    w.CBX_Frame_Rate->setCurrentIndex(frame_rate);
    w.resize(1280, 800);
    w.show();

    // Pictures newly shown by each camera, counted after every refresh pass.
    std::map<int, qint64> last_key;
    std::vector<long> shown(Cameras + 1, 0);
    QObject::connect(w.TMR_Refresh_Cam, &QTimer::timeout, &w, [&] {
        for (int n = 1; n <= Cameras; ++n) {
            const qint64 key = w.Grid().Slot(n).IMG_Cam->Picture().cacheKey();
            if (key != 0 && key != last_key[n])
                ++shown[static_cast<std::size_t>(n)];
            last_key[n] = key;
        }
    });

    // The failing cameras move through the cycle, each starting at another step.
    int step = 0;
    QTimer faults;
    QObject::connect(&faults, &QTimer::timeout, &w, [&] {
        ++step;
        for (int n = Healthy + 1; n <= Cameras; ++n) {
            const Fault_Step& fault = Cycle[static_cast<std::size_t>(step + n) % Cycle.size()];
            if (fault.fault) {
                cameras.Camera(n).Set_Fault(*fault.fault);
            } else {
                cameras.Camera(n).Set_Fault(Camsim_Fault::Keep_Alive);
                try {
                    T_Http_Client client;
                    std::string body;
                    client.Get(cameras.Base_Url(n) + "/reboot.cgi?user=admin&pwd=", body);
                } catch (const std::exception&) {
                }
            }
        }
    });
    faults.start(Fault_Seconds * 1000);

    long rss_start = 0, threads_start = 0;
    std::vector<long> healthy_before(Healthy + 1, 0);
    bool healthy_stalled = false;
    int minute = 0;
    QTimer report;
    QObject::connect(&report, &QTimer::timeout, &w, [&] {
        ++minute;
        const long rss = Status_Value("VmRSS:");
        const long threads = Status_Value("Threads:");
        if (minute == 1) {
            rss_start = rss;
            threads_start = threads;
        }
        std::printf("minute %2d: resident %ld kB, threads %ld, snapshots %ld, healthy cameras showed", minute, rss, threads,
                    Files_Below(snapshots));
        for (int n = 1; n <= Healthy; ++n) {
            const long in_minute = shown[static_cast<std::size_t>(n)] - healthy_before[static_cast<std::size_t>(n)];
            healthy_before[static_cast<std::size_t>(n)] = shown[static_cast<std::size_t>(n)];
            healthy_stalled = healthy_stalled || in_minute < 60;
            std::printf(" %ld", in_minute);
        }
        std::printf(" pictures\n");
        std::fflush(stdout);
        if (minute > minutes) {
            const long rss_end = rss;
            QElapsedTimer closing;
            closing.start();
            w.close();
            const qint64 close_ms = closing.elapsed();
            std::printf("resident memory: %ld kB after the first minute, %ld kB at the end (%+ld kB)\n", rss_start, rss_end,
                        rss_end - rss_start);
            std::printf("threads: %ld after the first minute, %ld at the end\n", threads_start, threads);
            std::printf("closing the window took %lld ms\n", static_cast<long long>(close_ms));
            const bool ok = !healthy_stalled && close_ms <= 2000;
            std::printf("%s\n", ok ? "soak passed" : "soak FAILED");
            std::fflush(stdout);
            QCoreApplication::exit(ok ? 0 : 1);
        }
    });
    report.start(60 * 1000);

    const int status = app.exec();
    window.reset();
    cameras.Stop();
    return status;
}
