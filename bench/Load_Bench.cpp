// End-to-end load run of the viewer: the real main window, shown, refreshing nine cameras served by the
// simulator in another process (so the figures are the viewer's own). Prints the pictures shown per camera
// per second, the process CPU time per shown picture, resident memory and threads at start and end, and the
// time the window takes to close.
//
//   tambrel-load-bench --camsim build/tambrel-camsim [--seconds 60] [--cameras 9] [--size 640x480]
//                      [--frame-rate 0] [--panel-size 2] [--record 0] [--sample sample.jpg]
//                      [--auth SPEC]     every camera behind tambrel-camsim's --auth SPEC (digest:sha256, basic...)
//                      [--tls 1]         every camera on https, its certificate pinned
//                      [--stream 1]      every camera watched through its MJPEG stream (20 parts a second)
//                      [--hostile N]     the last N cameras send the largest picture the decoder accepts
//
// Run it under xvfb-run (scripts/bench does) so that painting goes through a real X server.
#include "Bench_Window.h"
#include "Process_Stats.h"
#include "acquisition/Http_Client.h"
#include "app/Tambrel_Application.h"
#include "app/UF_Main.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <vector>

namespace {

struct Options {
    QString camsim;
    int seconds = 60;
    int cameras = 9;
    QString size = "640x480";
    int frame_rate = 0;   // item index of CBX_Frame_Rate: 0 is 20 fps
    int panel_size = 2;   // item index of CBX_Size_Pnl: 2 is 320*240
    int record = 0;       // recording mode of every camera
    QString sample;       // where to write one received JPEG (for the decode floor)
    QString auth;         // tambrel-camsim --auth SPEC for every camera; empty: the query's password
    bool tls = false;     // https cameras, pinned
    bool stream = false;  // MJPEG streams instead of snapshots
    int hostile = 0;      // cameras sending 8000 x 8000 pictures
};

Options Parse(const QStringList& args)
{
    Options o;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        const QString& name = args[i];
        const QString& value = args[i + 1];
        if (name == "--camsim")
            o.camsim = value;
        else if (name == "--seconds")
            o.seconds = value.toInt();
        else if (name == "--cameras")
            o.cameras = value.toInt();
        else if (name == "--size")
            o.size = value;
        else if (name == "--frame-rate")
            o.frame_rate = value.toInt();
        else if (name == "--panel-size")
            o.panel_size = value.toInt();
        else if (name == "--record")
            o.record = value.toInt();
        else if (name == "--sample")
            o.sample = value;
        else if (name == "--auth")
            o.auth = value;
        else if (name == "--tls")
            o.tls = value.toInt() != 0;
        else if (name == "--stream")
            o.stream = value.toInt() != 0;
        else if (name == "--hostile")
            o.hostile = value.toInt();
    }
    return o;
}

}  // namespace

int main(int argc, char** argv)
{
    Tambrel_Application app(argc, argv);
    const Options options = Parse(app.arguments());
    if (options.camsim.isEmpty()) {
        std::fprintf(stderr, "usage: tambrel-load-bench --camsim PATH [--seconds N] ...\n");
        return 2;
    }

    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());

    // The simulated cameras, in their own process, on ports the system chooses.
    QProcess camsim;
    camsim.setProcessChannelMode(QProcess::MergedChannels);
    QStringList camsim_args{"--count",     QString::number(options.cameras),
                            "--base-port", "0",
                            "--size",      options.size,
                            "--fps",       "5",
                            "--password",  "bench"};
    if (!options.auth.isEmpty())
        camsim_args << "--auth"
                    << "all:" + options.auth;
    if (options.tls)
        camsim_args << "--tls"
                    << "all";
    if (options.stream)
        camsim_args << "--stream"
                    << "all:fps=20";
    if (options.hostile > 0) {
        // The largest picture the decoder accepts, tiny to send, huge to decode.
        const QString path = home.path() + "/hostile.jpg";
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(Largest_Accepted_Picture());
        for (int n = options.cameras - options.hostile + 1; n <= options.cameras; ++n)
            camsim_args << "--picture" << QString::number(n) + ":" + path;
    }
    camsim.start(options.camsim, camsim_args);
    std::vector<int> ports;
    std::vector<std::string> pins;
    QElapsedTimer waited;
    waited.start();
    QByteArray output;
    while (static_cast<int>(ports.size()) < options.cameras && waited.elapsed() < 10000) {
        camsim.waitForReadyRead(200);
        output += camsim.readAll();
        ports.clear();
        pins.clear();
        const QRegularExpression port_line("camera \\d+: port (\\d+)([^\\n]*)\\n");
        const QRegularExpression pin("sha256 ([0-9a-f]{64})");
        for (auto it = port_line.globalMatch(QString::fromUtf8(output)); it.hasNext();) {
            const auto match = it.next();
            ports.push_back(match.captured(1).toInt());
            pins.push_back(pin.match(match.captured(2)).captured(1).toStdString());
        }
    }
    if (static_cast<int>(ports.size()) < options.cameras) {
        std::fprintf(stderr, "the simulated cameras did not start:\n%s\n", output.constData());
        return 1;
    }

    // One picture as the cameras send it, for the decode floor (tjbench on the same kind of frame).
    if (!options.sample.isEmpty()) {
        T_Http_Client client;
        client.Set_Login({"admin", "bench"});
        client.Set_Pinned_Certificate(pins[0]);
        std::string body;
        client.Get(std::string(options.tls ? "https" : "http") + "://127.0.0.1:" + std::to_string(ports[0]) +
                       "/snapshot.cgi?user=admin&pwd=bench",
                   body);
        QFile sample(options.sample);
        if (sample.open(QIODevice::WriteOnly))
            sample.write(body.data(), static_cast<qint64>(body.size()));
    }

    // The window's settings, as a user's datas.ini would hold them.
    T_General general;
    general.Nb_Cam_Index = options.cameras - 1;
    general.Size_Pnl_Index = options.panel_size;
    general.Frame_Rate_Index = options.frame_rate;
    general.Dest_Folder = (home.path() + "/snapshots").toStdString();
    T_Cams cams;
    for (int n = 1; n <= Nb_Slots; ++n) {
        const std::size_t i = static_cast<std::size_t>(n - 1);
        cams[n] = Bench_Camera(n, n <= options.cameras ? ports[i] : 0, "bench", options.record);
        cams[n].Valide = n <= options.cameras;
        if (n <= options.cameras && (options.tls || options.stream)) {
            cams[n].Use_Url = true;
            cams[n].Special_Url = std::string(options.tls ? "https" : "http") +
                                  "://127.0.0.1:" + std::to_string(ports[i]) +
                                  (options.stream ? "/videostream.cgi" : "/snapshot.cgi") + "?user=admin&pwd=bench";
            cams[n].Cert_Sha256 = pins[i];
        }
    }
    Write_Bench_Settings(home.path(), general, cams);

    auto window = std::make_unique<TF_Main>();
    TF_Main& w = *window;
    w.resize(1280, 800);
    w.show();

    // After every pass: count the pictures that are new on screen.
    Shown_Pictures shown(w, options.cameras);
    shown.Set_Counting(false);

    // Five seconds to settle, then the measured run.
    double cpu_start = 0;
    long rss_start = 0, threads_start = 0;
    QElapsedTimer run;
    QTimer::singleShot(5000, &w, [&] {
        shown.Set_Counting(true);
        cpu_start = Cpu_Seconds();
        rss_start = Status_Value("VmRSS:");
        threads_start = Status_Value("Threads:");
        run.start();
    });
    QTimer::singleShot(5000 + options.seconds * 1000, &w, [&] {
        shown.Set_Counting(false);
        const long passes = shown.Passes();
        const double seconds = static_cast<double>(run.elapsed()) / 1000.0;
        const double cpu = Cpu_Seconds() - cpu_start;
        const long rss_end = Status_Value("VmRSS:");
        const long threads_end = Status_Value("Threads:");
        long total = 0;
        std::printf("cameras %d, %s, frame rate index %d, %.1f s, %ld refresh passes (%.1f per s)\n", options.cameras,
                    options.size.toUtf8().constData(), options.frame_rate, seconds, passes,
                    static_cast<double>(passes) / seconds);
        for (int n = 1; n <= options.cameras; ++n) {
            total += shown.Of(n);
            std::printf("  camera %d: %.2f pictures shown per second\n", n, static_cast<double>(shown.Of(n)) / seconds);
        }
        std::printf("pictures shown per camera per second: %.2f\n",
                    static_cast<double>(total) / seconds / options.cameras);
        std::printf("peak resident memory: %ld kB\n", Status_Value("VmHWM:"));
        std::printf("process CPU: %.2f s in %.1f s (%.0f%% of one core), %.3f ms per shown picture\n", cpu, seconds,
                    100 * cpu / seconds, total > 0 ? 1000 * cpu / static_cast<double>(total) : 0.0);
        std::printf("resident memory: %ld kB at start, %ld kB at end (%+ld kB)\n", rss_start, rss_end,
                    rss_end - rss_start);
        std::printf("threads: %ld at start, %ld at end\n", threads_start, threads_end);
        QElapsedTimer closing;
        closing.start();
        w.close();
        std::printf("closing the window took %lld ms\n", static_cast<long long>(closing.elapsed()));
        std::fflush(stdout);
    });
    const int status = app.exec();
    window.reset();
    camsim.terminate();
    camsim.waitForFinished(3000);
    return status;
}
