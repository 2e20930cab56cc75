// A decoded picture made the size of its panel: by the worker (Shrink_Picture, then a plain copy at
// paint) or by the painter drawing it scaled at every paint. Sizes of the grid's two common cases.
#include "imaging/Picture_Shrink.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

QImage Picture(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb(x & 255, y & 255, (x ^ y) & 255);
    }
    return picture;
}

const QSize Sizes[][2] = {{{160, 120}, {156, 116}}, {{1920, 1080}, {316, 236}}};

void BM_Shrink_Picture(benchmark::State& state)
{
    const auto& sizes = Sizes[state.range(0)];
    const QImage picture = Picture(sizes[0]);
    QImage shrunk;
    for (auto _ : state) {
        shrunk = Shrink_Picture(picture, sizes[1], std::move(shrunk));
        benchmark::DoNotOptimize(shrunk.constBits());
    }
}
BENCHMARK(BM_Shrink_Picture)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_Paint_Scaled(benchmark::State& state)
{
    const auto& sizes = Sizes[state.range(0)];
    const QImage picture = Picture(sizes[0]);
    QImage window(sizes[1], QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&window);
        painter.drawImage(QRect(QPoint(0, 0), sizes[1]), picture);
        benchmark::DoNotOptimize(window.constBits());
    }
}
BENCHMARK(BM_Paint_Scaled)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_Paint_Same_Size(benchmark::State& state)
{
    const auto& sizes = Sizes[state.range(0)];
    const QImage picture = Picture(sizes[1]);
    QImage window(sizes[1], QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&window);
        painter.drawImage(QPoint(0, 0), picture);
        benchmark::DoNotOptimize(window.constBits());
    }
}
BENCHMARK(BM_Paint_Same_Size)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
