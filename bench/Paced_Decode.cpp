// The decode alone, paced as the viewer paces it: nine threads (one per camera) that each decode the
// same JPEG once per 50 ms tick, all waking on the same tick. Prints the process CPU per decode, full
// size and at 1/4, next to the same decodes back to back.
//
// tjbench's figure is a decode whose caches are warm from the one before; a camera's decode follows
// 50 ms of sleep, and on a virtual machine that idles its processors this alone costs far more. This
// separates that cost from the viewer's own work per picture.
// Usage: tambrel-paced-decode picture.jpg [seconds]
#include "Process_Stats.h"

#include <turbojpeg.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Picture {
    std::vector<unsigned char> jpeg;
    int width = 0;
    int height = 0;
};

// Decodes `picture` at 1/`divisor` of its size `count` times; with a `period`, each decode waits for the
// next tick of it first.
void Decode_Loop(const Picture& picture, int divisor, int count, std::chrono::microseconds period)
{
    tjhandle handle = tjInitDecompress();
    const int width = (picture.width + divisor - 1) / divisor;
    const int height = (picture.height + divisor - 1) / divisor;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    for (int i = 0; i < count; ++i) {
        if (period.count() > 0)
            std::this_thread::sleep_until(Clock::time_point((Clock::now().time_since_epoch() / period + 1) * period));
        tjDecompress2(handle, picture.jpeg.data(), static_cast<unsigned long>(picture.jpeg.size()), pixels.data(),
                      width, width * 4, height, TJPF_BGRX, 0);
    }
    tjDestroy(handle);
}

// Process CPU per decode of `threads` threads each running Decode_Loop, in microseconds.
double Cpu_Per_Decode(const Picture& picture, int divisor, int threads, int count, std::chrono::microseconds period)
{
    const double before = Cpu_Seconds();
    std::vector<std::thread> running;
    for (int t = 0; t < threads; ++t)
        running.emplace_back(Decode_Loop, std::cref(picture), divisor, count, period);
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
    std::ifstream file(argv[1], std::ios::binary);
    Picture picture{{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()}};
    const int seconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    tjhandle probe = tjInitDecompress();
    int subsampling = 0, colour_space = 0;
    const bool readable =
        tjDecompressHeader3(probe, picture.jpeg.data(), static_cast<unsigned long>(picture.jpeg.size()), &picture.width,
                            &picture.height, &subsampling, &colour_space) == 0;
    tjDestroy(probe);
    if (!readable) {
        std::fprintf(stderr, "%s: not a JPEG picture\n", argv[1]);
        return 1;
    }
    constexpr int cameras = 9;
    constexpr auto tick = std::chrono::milliseconds(50);
    const int ticks = seconds * 20;
    for (const int divisor : {1, 4}) {
        const double paced = Cpu_Per_Decode(picture, divisor, cameras, ticks, tick);
        const double back_to_back = Cpu_Per_Decode(picture, divisor, 1, cameras * ticks, {});
        std::printf("paced decode 1/%d of %dx%d: %.3f ms CPU per decode paced (nine cameras, 20 fps), "
                    "%.3f ms back to back\n",
                    divisor, picture.width, picture.height, paced / 1000, back_to_back / 1000);
    }
    return 0;
}
