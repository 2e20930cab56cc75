#include "Bench_Imaging_Scene.h"
#include "imaging/Jpeg_Codec.h"

#include <QByteArray>
#include <QFile>
#include <QImage>

#include "Bench_Main.h"

#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <cstdio>
#include <vector>

namespace {

const QImage& Scene()
{
    static const QImage scene = Bench_Camera_Scene(640, 480);
    return scene;
}

// The camera-like sample: 640x480, quality 85, 4:2:0.
const QByteArray& Sample_Jpeg()
{
    static const QByteArray jpeg = Jpeg_Encode(Scene(), 85);
    return jpeg;
}

// Decoding with one kept decoder, as a fetch worker does.
void BM_Jpeg_Decoder_Decode_640x480(benchmark::State& state)
{
    const QByteArray& jpeg = Sample_Jpeg();
    Jpeg_Decoder decoder;
    for (auto _ : state)
        benchmark::DoNotOptimize(decoder.Decode(jpeg.constData(), static_cast<std::size_t>(jpeg.size())));
    state.SetItemsProcessed(state.iterations());
    state.counters["Mpix/s"] =
        benchmark::Counter(640.0 * 480 * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Jpeg_Decoder_Decode_640x480)->Unit(benchmark::kMicrosecond);

// A fresh decoder per picture (the one-shot form).
void BM_Jpeg_Decode_One_Shot_640x480(benchmark::State& state)
{
    const QByteArray& jpeg = Sample_Jpeg();
    for (auto _ : state)
        benchmark::DoNotOptimize(Jpeg_Decode(jpeg.constData(), static_cast<std::size_t>(jpeg.size())));
}
BENCHMARK(BM_Jpeg_Decode_One_Shot_640x480)->Unit(benchmark::kMicrosecond);

// The bare library call into a kept buffer, for the wrapper's overhead.
void BM_Turbojpeg_Decompress_640x480(benchmark::State& state)
{
    const QByteArray& jpeg = Sample_Jpeg();
    tjhandle handle = tjInitDecompress();
    std::vector<unsigned char> pixels(640 * 480 * 4);
    for (auto _ : state) {
        int width = 0, height = 0, subsampling = 0, colour_space = 0;
        tjDecompressHeader3(handle, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                            static_cast<unsigned long>(jpeg.size()), &width, &height, &subsampling, &colour_space);
        tjDecompress2(handle, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                      static_cast<unsigned long>(jpeg.size()), pixels.data(), width, width * 4, height, TJPF_BGRA, 0);
        benchmark::DoNotOptimize(pixels.data());
    }
    tjDestroy(handle);
}
BENCHMARK(BM_Turbojpeg_Decompress_640x480)->Unit(benchmark::kMicrosecond);

// Encoding a recorded snapshot: quality 90, one kept encoder.
void BM_Jpeg_Encoder_Encode_640x480_Q90(benchmark::State& state)
{
    const QImage& picture = Scene();
    Jpeg_Encoder encoder;
    for (auto _ : state)
        benchmark::DoNotOptimize(encoder.Encode(picture, 90));
    state.counters["bytes"] = static_cast<double>(encoder.Encode(picture, 90).size());
}
BENCHMARK(BM_Jpeg_Encoder_Encode_640x480_Q90)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    const QString path = QStringLiteral(TAMBREL_BENCH_OUTPUT_DIR "/sample_640x480.jpg");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(Sample_Jpeg()) == Sample_Jpeg().size())
        std::printf("sample JPEG (%lld bytes): %s  (compare: tjbench %s -bgrx -nowrite)\n",
                    static_cast<long long>(Sample_Jpeg().size()), qPrintable(path), qPrintable(path));
    else
        std::printf("could not write %s\n", qPrintable(path));
    file.close();

    return Run_Benchmarks(argc, argv);
}
