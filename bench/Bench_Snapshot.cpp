#include "Bench_Imaging_Scene.h"
#include "imaging/Jpeg_Codec.h"
#include "recording/Atomic_File.h"
#include "recording/Snapshot_Caption.h"
#include "recording/Snapshot_Writer.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

const Local_Date_Time Bench_Time{2015, 12, 12, 14, 3, 7, 45};

const QImage& Scene()
{
    static const QImage scene = Bench_Camera_Scene(640, 480);
    return scene;
}

std::string Dest_Folder()
{
    return std::string(TAMBREL_BENCH_OUTPUT_DIR) + "/snapshots";
}

// Drawing the caption alone, on a fresh copy of the picture each time (as a save does).
void BM_Snapshot_Caption_640x480(benchmark::State& state)
{
    for (auto _ : state) {
        QImage work = Scene().copy();
        Draw_Caption(work, "CAM1", Bench_Time);
        benchmark::DoNotOptimize(work.constBits());
    }
}
BENCHMARK(BM_Snapshot_Caption_640x480)->Unit(benchmark::kMicrosecond);

// Encoding a captioned picture at quality 90 with a kept encoder.
void BM_Snapshot_Encode_640x480(benchmark::State& state)
{
    QImage work = Scene().copy();
    Draw_Caption(work, "CAM1", Bench_Time);
    Jpeg_Encoder encoder;
    std::int64_t bytes = 0;
    for (auto _ : state) {
        const QByteArray jpeg = encoder.Encode(work, Snapshot_Jpeg_Quality);
        bytes = jpeg.size();
        benchmark::DoNotOptimize(jpeg.constData());
    }
    state.counters["jpeg_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Snapshot_Encode_640x480)->Unit(benchmark::kMicrosecond);

// Writing the encoded file alone: temporary file, flush to disk, rename.
void BM_Snapshot_Write_File(benchmark::State& state)
{
    QImage work = Scene().copy();
    Draw_Caption(work, "CAM1", Bench_Time);
    const QByteArray jpeg = Jpeg_Encode(work, Snapshot_Jpeg_Quality);
    std::filesystem::create_directories(Dest_Folder());
    const std::string path = Dest_Folder() + "/write_only.jpg";
    for (auto _ : state)
        Write_File_Atomically(path, jpeg.constData(), static_cast<std::size_t>(jpeg.size()));
}
BENCHMARK(BM_Snapshot_Write_File)->Unit(benchmark::kMicrosecond);

// One pass saving one snapshot: copy, caption, encoder made, encode, folders, write.
void BM_Snapshot_Save_One_640x480(benchmark::State& state)
{
    for (auto _ : state) {
        Snapshot_Writer pass;
        benchmark::DoNotOptimize(pass.Save(Scene(), "CAM1", 1, Bench_Time, Dest_Folder()));
    }
}
BENCHMARK(BM_Snapshot_Save_One_640x480)->Unit(benchmark::kMillisecond);

// One pass where all nine slots save (each its own folder).
void BM_Snapshot_Save_Nine_Slots_640x480(benchmark::State& state)
{
    for (auto _ : state) {
        Snapshot_Writer pass;
        for (int slot = 1; slot <= 9; ++slot)
            benchmark::DoNotOptimize(pass.Save(Scene(), "CAM" + std::to_string(slot), slot, Bench_Time, Dest_Folder()));
    }
    state.SetItemsProcessed(state.iterations() * 9);
}
BENCHMARK(BM_Snapshot_Save_Nine_Slots_640x480)->Unit(benchmark::kMillisecond);

}  // namespace

// Fonts need an application object; the offscreen platform needs no display.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(Dest_Folder(), ignored);
    return 0;
}
