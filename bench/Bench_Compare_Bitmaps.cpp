#include "Bench_Imaging_Scene.h"
#include "imaging/Compare_Bitmaps.h"

#include <benchmark/benchmark.h>

namespace {

// One motion measure between two successive 640x480 RGB32 frames (the decoder's format).
void BM_Compare_Bitmaps_640x480_Rgb32(benchmark::State& state)
{
    const QImage current = Bench_Camera_Scene(640, 480, 1);
    const QImage previous = Bench_Camera_Scene(640, 480, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(Compare_Bitmaps(&current, &previous, false));
    state.counters["level"] = Compare_Bitmaps(&current, &previous, false);
}
BENCHMARK(BM_Compare_Bitmaps_640x480_Rgb32);

// The same through the generic pixel() path of a format without a fast reader.
void BM_Compare_Bitmaps_640x480_Rgbx8888(benchmark::State& state)
{
    const QImage current = Bench_Camera_Scene(640, 480, 1).convertToFormat(QImage::Format_RGBX8888);
    const QImage previous = Bench_Camera_Scene(640, 480, 0).convertToFormat(QImage::Format_RGBX8888);
    for (auto _ : state)
        benchmark::DoNotOptimize(Compare_Bitmaps(&current, &previous, false));
}
BENCHMARK(BM_Compare_Bitmaps_640x480_Rgbx8888);

// Full HD frames: the grid keeps the cost about the same.
void BM_Compare_Bitmaps_1920x1080_Rgb32(benchmark::State& state)
{
    const QImage current = Bench_Camera_Scene(1920, 1080, 1);
    const QImage previous = Bench_Camera_Scene(1920, 1080, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(Compare_Bitmaps(&current, &previous, false));
}
BENCHMARK(BM_Compare_Bitmaps_1920x1080_Rgb32);

}  // namespace

BENCHMARK_MAIN();
