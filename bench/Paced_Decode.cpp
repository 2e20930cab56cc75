// The decode alone, paced as the viewer paces it: nine threads (one per camera) that each decode the
// same JPEG once per 50 ms tick, all waking on the same tick. Prints the process CPU per decode, full
// size and at 1/4 (with the decoder a camera's worker uses), next to the same decodes back to back.
//
// tjbench's figure is a decode whose caches are warm from the one before; a camera's decode follows
// 50 ms of sleep, and on a virtual machine that idles its processors this alone costs far more. This
// separates that cost from the viewer's own work per picture.
// Usage: tambrel-paced-decode picture.jpg [seconds]
#include "Process_Stats.h"
#include "imaging/Jpeg_Codec.h"

#include <QByteArray>
#include <QFile>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Decodes `jpeg` at `target` `count` times into one kept buffer, as a camera's worker does; with a
// `period`, each decode waits for the next tick of it first.
void Decode_Loop(const QByteArray& jpeg, const Jpeg_Decode_Size& target, int count, std::chrono::microseconds period)
{
    Jpeg_Decoder decoder;
    QImage picture;
    for (int i = 0; i < count; ++i) {
        if (period.count() > 0)
            std::this_thread::sleep_until(Clock::time_point((Clock::now().time_since_epoch() / period + 1) * period));
        picture = decoder.Decode(jpeg.constData(), static_cast<std::size_t>(jpeg.size()), std::move(picture), target);
    }
}

// Process CPU per decode of `threads` threads each running Decode_Loop, in microseconds.
double Cpu_Per_Decode(const QByteArray& jpeg, const Jpeg_Decode_Size& target, int threads, int count,
                      std::chrono::microseconds period)
{
    const double before = Cpu_Seconds();
    std::vector<std::thread> running;
    for (int t = 0; t < threads; ++t)
        running.emplace_back(Decode_Loop, std::cref(jpeg), std::cref(target), count, period);
    for (std::thread& thread : running)
        thread.join();
    return (Cpu_Seconds() - before) * 1e6 / (threads * count);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s picture.jpg [seconds]\n", argv[0]);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    const QByteArray jpeg = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const int seconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    QSize size;
    try {
        size = Jpeg_Decode(jpeg.constData(), static_cast<std::size_t>(jpeg.size())).size();
    } catch (const Jpeg_Error& error) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
        return 1;
    }
    constexpr int cameras = 9;
    constexpr auto tick = std::chrono::milliseconds(50);
    const int ticks = seconds * 20;
    for (const int divisor : {1, 4}) {
        Jpeg_Decode_Size target;
        target.Cover_Width = size.width() / divisor;
        target.Cover_Height = size.height() / divisor;
        const double paced = Cpu_Per_Decode(jpeg, target, cameras, ticks, tick);
        const double back_to_back = Cpu_Per_Decode(jpeg, target, 1, cameras * ticks, {});
        std::printf("paced decode 1/%d of %dx%d: %.3f ms CPU per decode paced (nine cameras, 20 fps), "
                    "%.3f ms back to back\n",
                    divisor, size.width(), size.height(), paced / 1000, back_to_back / 1000);
    }
    return 0;
}
