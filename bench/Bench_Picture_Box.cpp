// Nine Picture_Box of 320 x 240 showing 640 x 480 RGB32 pictures, rendered into an offscreen QImage
// as the grid would paint them. The time per iteration is one frame of all nine (target: under 5 ms).
#include "widgets/Picture_Box.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

QImage Camera_Picture(int seed)
{
    QImage image(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb((x + seed * 29) & 255, (y + seed * 53) & 255, ((x ^ y) + seed) & 255);
    }
    return image;
}

struct Grid {
    QWidget panel;
    std::vector<Picture_Box*> boxes;
    std::vector<QImage> pictures;

    explicit Grid(bool smooth)
    {
        panel.resize(3 * 320 + 18, 3 * 240 + 18);
        for (int i = 0; i < 9; ++i) {
            auto* box = new Picture_Box(&panel);
            box->setGeometry(3 + (i % 3) * 323, 3 + (i / 3) * 243, 320, 240);
            box->Set_Smooth(smooth);
            boxes.push_back(box);
            pictures.push_back(Camera_Picture(i));
        }
    }
};

void Paint_Nine(benchmark::State& state, bool smooth)
{
    Grid grid(smooth);
    QImage target(grid.panel.size(), QImage::Format_RGB32);
    target.fill(Qt::black);
    int frame = 0;
    for (auto _ : state) {
        // Another picture per box and per frame, as a refresh pass delivers them.
        for (std::size_t i = 0; i < grid.boxes.size(); ++i)
            grid.boxes[i]->Set_Picture(grid.pictures[(i + static_cast<std::size_t>(frame)) % grid.pictures.size()]);
        for (auto* box : grid.boxes) {
            QPainter painter(&target);
            box->render(&painter, box->pos(), QRegion(), QWidget::DrawChildren);
        }
        benchmark::DoNotOptimize(target.constBits());
        ++frame;
    }
    // A box that painted nothing would make the figure meaningless.
    if (target.pixel(3 + 160, 3 + 120) == qRgb(0, 0, 0) ||
        target.pixel(3 + 2 * 323 + 160, 3 + 2 * 243 + 120) == qRgb(0, 0, 0))
        state.SkipWithError("the picture boxes painted nothing");
}

void BM_Nine_Picture_Boxes(benchmark::State& state)
{
    Paint_Nine(state, false);
}
void BM_Nine_Picture_Boxes_Smooth(benchmark::State& state)
{
    Paint_Nine(state, true);
}

}  // namespace

BENCHMARK(BM_Nine_Picture_Boxes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Nine_Picture_Boxes_Smooth)->Unit(benchmark::kMillisecond);
