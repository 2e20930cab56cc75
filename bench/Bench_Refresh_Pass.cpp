// One refresh pass of the main window over nine live cameras (simulated, in process), measured on the
// user-interface thread: when no snapshot is due (target: under 1 ms) and when all nine save a snapshot.
#include "Bench_Main.h"
#include "Bench_Window.h"
#include "app/Tambrel_Application.h"
#include "app/UF_Main.h"
#include "camsim/Camsim_Server.h"
#include "platform/Clock.h"

#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class Bench_Clock : public Clock {
public:
    int64_t Tick_Ms() const override { return tick; }
    Local_Date_Time Now() const override { return now; }
    int64_t tick = 10'000'000;
    Local_Date_Time now{2015, 12, 12, 14, 3, 7, 45};
};

struct Nine_Cameras {
    QTemporaryDir home;
    Camsim_Server cameras{[] {
        Camsim_Options options;
        options.Count = 9;
        return options;
    }()};
    Bench_Clock clock;
    std::unique_ptr<TF_Main> window;

    explicit Nine_Cameras(int record_mode)
    {
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
        cameras.Start();
        T_General general;
        general.Nb_Cam_Index = 8;
        general.Size_Pnl_Index = 2;
        general.Frequence_Rec = 1;
        general.Dest_Folder = (home.path() + "/snapshots").toStdString();
        T_Cams cams;
        for (int n = 1; n <= 9; ++n)
            cams[n] = Bench_Camera(n, cameras.Port(n), "", record_mode);
        Write_Bench_Settings(home.path(), general, cams);
        window = std::make_unique<TF_Main>(nullptr, &clock);
        TF_Main& w = *window;
        w.findChild<QTimer*>(QStringLiteral("TMR_Refresh_Cam"))->stop();
        w.show();
        // Every camera live before measuring: a picture on every panel.
        for (int i = 0; i < 500; ++i) {
            w.Refresh_Cams();
            QCoreApplication::processEvents();
            bool all = true;
            for (int n = 1; n <= 9; ++n)
                all = all && w.findChild<Picture_Box*>(QStringLiteral("IMG_Cam%1").arg(n))->Has_Picture();
            if (all)
                break;
            QThread::msleep(10);
        }
    }
};

void BM_Refresh_Pass_Nothing_Due(benchmark::State& state)
{
    Nine_Cameras setup(0);
    for (auto _ : state) {
        setup.window->Refresh_Cams();
        state.PauseTiming();
        QCoreApplication::processEvents();  // paint and take the workers' results outside the measure
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Refresh_Pass_Nothing_Due)->Unit(benchmark::kMicrosecond)->MinTime(3.0);

void BM_Refresh_Pass_Nine_Saving(benchmark::State& state)
{
    Nine_Cameras setup(1);
    for (auto _ : state) {
        // Each pass is one interval later and one millisecond on, so every camera saves a new file.
        setup.clock.tick += 1001;
        setup.clock.now.Millisecond = (setup.clock.now.Millisecond + 1) % 1000;
        setup.window->Refresh_Cams();
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Refresh_Pass_Nine_Saving)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

int main(int argc, char** argv)
{
    Default_To_Offscreen();
    Tambrel_Application app(argc, argv);
    return Run_Benchmarks(argc, argv);
}
