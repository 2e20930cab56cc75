// A decoded picture made the size of its panel: by the worker (Shrink_Picture, then a plain copy at
// paint) or by the painter drawing it scaled at every paint. Sizes of the grid's two common cases
// (range(0): 640x480 at 1/4 on 160x120 panels, 1920x1080 at full size on 320x240 panels).
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

// Painting into the panel's rectangle, as the picture box does: a picture of the panel's size (range(1)
// = 1) or one the painter scales (0).
void BM_Paint_Into_Panel(benchmark::State& state)
{
    const auto& sizes = Sizes[state.range(0)];
    const QImage picture = Picture(sizes[state.range(1)]);
    QImage window(sizes[1], QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&window);
        painter.drawImage(QRect(QPoint(0, 0), sizes[1]), picture);
        benchmark::DoNotOptimize(window.constBits());
    }
}
BENCHMARK(BM_Paint_Into_Panel)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond);

}  // namespace
