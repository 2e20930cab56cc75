// One fetch worker against a simulated camera (in process) on a kept connection: each iteration requests a
// snapshot as a refresh pass does and waits until the decoded 640x480 picture is published. Frames per
// second are the iterations per second; the process CPU time per iteration is the cost of one frame
// (fetch, decode, publish, plus the simulator's serving of cached bytes).
#include "Bench_Main.h"
#include "acquisition/UF_Lib_Cam.h"
#include "camsim/Camsim_Server.h"

#include <QGuiApplication>

#include <chrono>
#include <thread>

namespace {

void BM_Worker_Frame(benchmark::State& state)
{
    Camsim_Options options;
    options.Count = 1;
    Camsim_Server camera(options);
    camera.Start();
    TF_Lib_Cam worker;
    worker.Set_Url(camera.Snapshot_Url(1));
    for (auto _ : state) {
        worker.Poll_Flux();
        // Until the attempt this request started has published its picture.
        while (worker.Fetching())
            std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    worker.Poll_Flux();
    if (worker.Not_Connected())
        state.SkipWithError("the camera gave no picture");
    state.counters["frames_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Worker_Frame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()->MinTime(3.0);

}  // namespace

int main(int argc, char** argv)
{
    Default_To_Offscreen();
    QGuiApplication app(argc, argv);  // the simulator draws its scene with fonts
    return Run_Benchmarks(argc, argv);
}
