// Fault soak: the viewer's main window, shown, recording every camera (mode 1) at 20 pictures a second,
// while three healthy cameras run beside six that fail: four cycle through every way a camera fails (hang,
// reset mid-body, short body, HTML page, 401, redirect, reboot, slow), one sends the largest picture the
// decoder accepts, one is named through a name server that never answers. Every two seconds a command goes
// to a camera that drops its connections; settings texts are not UTF-8 (Windows-1252) and the camera being
// set changes every 30 s (each change commits them). Every minute it prints resident memory, threads and the
// pictures the healthy cameras showed; at the end, how long closing took and whether the settings texts and
// the commands came through unchanged. Ends with status 1 when a healthy camera stopped showing pictures,
// the window took over 2 s to close, a text was changed or a command arrived twice.
//
//   tambrel-fault-soak [--minutes 10] [--frame-rate 0]
//
// Run it under xvfb-run so that painting goes through a real X server (scripts/soak does).
#include "Bench_Window.h"
#include "Process_Stats.h"
#include "acquisition/Http_Client.h"
#include "app/Tambrel_Application.h"
#include "app/UF_Main.h"
#include "camsim/Camsim_Server.h"
#include "imaging/Jpeg_Codec.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace {

constexpr int Cameras = 9;
constexpr int Healthy = 3;           // cameras 1..3 never fail
constexpr int Cycling_Last = 6;      // cameras 4..6 cycle through the faults
constexpr int Command_Camera = 7;    // drops its connections; takes a command every two seconds
constexpr int Hostile_Camera = 8;    // sends the largest picture the decoder accepts
constexpr int Hung_Name_Camera = 9;  // named through a silent name server
constexpr int Fault_Seconds = 15;    // each fault lasts this long before the next

// One step of a failing camera's cycle: a fault mode, or a reboot request (the camera goes offline).
struct Fault_Step {
    const char* name;
    std::optional<Camsim_Fault> fault;
};

const std::vector<Fault_Step> Cycle = {
    {"hang", Camsim_Fault::Hang},
    {"reset mid-body", Camsim_Fault::Reset_Mid_Body},
    {"short body", Camsim_Fault::Short_Body},
    {"HTML page", Camsim_Fault::Html_200},
    {"401", Camsim_Fault::Unauthorized_401},
    {"redirect", Camsim_Fault::Redirect_302},
    {"reboot", std::nullopt},
    {"slow", Camsim_Fault::Slow},
    {"healthy", Camsim_Fault::Keep_Alive},
};

int Option(const QStringList& args, const QString& name, int fallback)
{
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args[at + 1].toInt() : fallback;
}

// A name server that never answers: a UDP socket on 127.0.0.1 that nobody reads.
int Silent_Name_Server(int& port)
{
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), length);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

long Files_Below(const QString& folder)
{
    long count = 0;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext(); it.next())
        ++count;
    return count;
}

}  // namespace

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
    options.Faults.emplace_back(Command_Camera, Camsim_Fault::Silent_Close);
    options.Password = "caf\xE9";  // as the settings below hold it (Windows-1252)
    options.Pictures.emplace_back(Hostile_Camera, Largest_Accepted_Picture());
    Camsim_Server cameras(options);
    cameras.Start();

    // Settings written on Windows: texts in Windows-1252 ("é" is the single byte E9).
    const std::string alias = "Entr\xE9"
                              "e";
    const std::string password = options.Password;
    QDir().mkpath(home.path() + "/_data_Tambrel");
    {
        QFile datas(home.path() + "/_data_Tambrel/datas.ini");
        if (datas.open(QIODevice::WriteOnly))
            datas.write(QByteArray::fromStdString("[CAM1]\r\nAlias=" + alias + "\r\nPassword=" + password + "\r\n"));
    }

    const QString snapshots = home.path() + "/snapshots";
    T_General general;
    general.Nb_Cam_Index = Cameras - 1;
    general.Size_Pnl_Index = 2;
    general.Frame_Rate_Index = frame_rate;
    general.Dest_Folder = snapshots.toStdString();
    T_Cams cams;
    for (int n = 1; n <= Cameras; ++n) {
        cams[n] = Bench_Camera(n, cameras.Port(n), password, 1);
        if (n == Hung_Name_Camera)
            cams[n].Ad_Ip = "gate.tambrel-soak";
    }
    cams[1].Alias = alias;
    Write_Bench_Settings(home.path(), general, cams);

    int name_server_port = 0;
    const int name_server = Silent_Name_Server(name_server_port);
    Http_Settings camera_http;
    camera_http.Name_Servers = "127.0.0.1:" + std::to_string(name_server_port);
    auto window = std::make_unique<TF_Main>(nullptr, nullptr, &camera_http);
    TF_Main& w = *window;
    w.resize(1280, 800);
    w.show();
    auto* camera_to_set = w.findChild<QComboBox*>(QStringLiteral("CBX_N_Cam"));
    auto* preset_go = w.findChild<QAbstractButton*>(QStringLiteral("BTN_Go_PTZ_1"));

    // Pictures newly shown by each camera, counted after every refresh pass.
    Shown_Pictures shown(w, Cameras);

    // The failing cameras move through the cycle, each starting at another step.
    int step = 0;
    QTimer faults;
    QObject::connect(&faults, &QTimer::timeout, &w, [&] {
        ++step;
        for (int n = Healthy + 1; n <= Cycling_Last; ++n) {
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

    // Commands to a camera that closes every connection after its answer, without saying so.
    int commands_sent = 0;
    QTimer commands;
    QObject::connect(&commands, &QTimer::timeout, &w, [&] {
        const int selected = camera_to_set->currentIndex();
        camera_to_set->setCurrentIndex(Command_Camera - 1);
        preset_go->click();  // the PTZ panel's "go to preset 1"
        ++commands_sent;
        camera_to_set->setCurrentIndex(selected);
    });
    commands.start(2000);

    // The user moves through the cameras: each change commits the settings column into a record.
    QTimer browse;
    QObject::connect(&browse, &QTimer::timeout, &w, [&] {
        camera_to_set->showPopup();  // opening the list commits the column, as the user's click does
        camera_to_set->setCurrentIndex((camera_to_set->currentIndex() + 1) % Cameras);
        camera_to_set->hidePopup();
    });
    browse.start(30 * 1000);

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
        std::printf("minute %2d: resident %ld kB, threads %ld, snapshots %ld, healthy cameras showed", minute, rss,
                    threads, Files_Below(snapshots));
        for (int n = 1; n <= Healthy; ++n) {
            const long in_minute = shown.Of(n) - healthy_before[static_cast<std::size_t>(n)];
            healthy_before[static_cast<std::size_t>(n)] = shown.Of(n);
            healthy_stalled = healthy_stalled || in_minute < 60;
            std::printf(" %ld", in_minute);
        }
        std::printf(" pictures\n");
        std::fflush(stdout);
        if (minute > minutes) {
            const long rss_end = rss;
            commands.stop();
            browse.stop();
            QElapsedTimer closing;
            closing.start();
            w.close();
            const qint64 close_ms = closing.elapsed();
            QFile datas(home.path() + "/_data_Tambrel/datas.ini");
            const std::string saved = datas.open(QIODevice::ReadOnly) ? datas.readAll().toStdString() : std::string();
            const bool texts_kept = saved.find("Alias=" + alias + "\r\n") != std::string::npos &&
                                    saved.find("Password=" + password + "\r\n") != std::string::npos;
            const auto jogs = cameras.Camera(Command_Camera).Counters().Requests_By_Path;
            const int commands_received = jogs.count("/decoder_control.cgi") ? jogs.at("/decoder_control.cgi") : 0;
            std::printf("settings texts that are not UTF-8: %s\n", texts_kept ? "kept byte for byte" : "CHANGED");
            std::printf("commands: %d sent, %d received\n", commands_sent, commands_received);
            std::printf("resident memory: %ld kB after the first minute, %ld kB at the end (%+ld kB)\n", rss_start,
                        rss_end, rss_end - rss_start);
            std::printf("threads: %ld after the first minute, %ld at the end\n", threads_start, threads);
            std::printf("closing the window took %lld ms\n", static_cast<long long>(close_ms));
            const bool ok = !healthy_stalled && close_ms <= 2000 && texts_kept && commands_received <= commands_sent;
            std::printf("%s\n", ok ? "soak passed" : "soak FAILED");
            std::fflush(stdout);
            QCoreApplication::exit(ok ? 0 : 1);
        }
    });
    report.start(60 * 1000);

    const int status = app.exec();
    window.reset();
    cameras.Stop();
    close(name_server);
    return status;
}
