#pragma once

#include <QImage>

#include <cmath>
#include <cstdint>

// A synthetic camera picture for the imaging benchmarks: sky gradient, a sun, hills, a house
// with windows, textured grass and sensor noise, so that a JPEG of it has the detail and size of
// a real outdoor snapshot rather than of a flat test card. Frame shifts the scene sideways.
inline QImage Bench_Camera_Scene(int width, int height, int frame = 0)
{
    QImage picture(width, height, QImage::Format_RGB32);
    std::uint32_t state = 12345u + static_cast<std::uint32_t>(frame) * 7919u;
    const auto noise = [&state](int amplitude) {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 16) % (2 * amplitude + 1)) - amplitude;
    };
    const auto clamp = [](double v) { return v < 0 ? 0 : (v > 255 ? 255 : static_cast<int>(v)); };
    const double horizon = height * 0.55;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x0 = 0; x0 < width; ++x0) {
            const double x = x0 + frame * 2.0;
            const double hill = horizon - 40 * std::sin(x * 0.012) - 18 * std::sin(x * 0.047 + 1.3);
            double r, g, b;
            if (y < hill) {  // sky, sun
                const double t = y / horizon;
                r = 90 + 90 * t;
                g = 140 + 70 * t;
                b = 230 - 20 * t;
                const double dx = x0 - width * 0.78, dy = y - height * 0.16;
                const double sun = std::exp(-(dx * dx + dy * dy) / (2 * 18.0 * 18.0));
                r += 160 * sun;
                g += 130 * sun;
                b += 40 * sun;
            } else {  // grass with stripes of texture
                const double texture = 25 * std::sin(x * 0.9 + y * 0.35) * std::sin(y * 0.21);
                r = 60 + texture + 0.15 * (y - hill);
                g = 120 + texture * 1.3 - 0.1 * (y - hill);
                b = 40 + texture * 0.5;
            }
            // A house: wall, roof line and lit windows.
            if (x0 > width * 0.2 && x0 < width * 0.45 && y > height * 0.42 && y < height * 0.75) {
                r = 185;
                g = 160;
                b = 130;
                const int wx = static_cast<int>(x0 - width * 0.2) % 32, wy = static_cast<int>(y - height * 0.42) % 40;
                if (wx > 8 && wx < 24 && wy > 10 && wy < 30) {
                    r = 250;
                    g = 230;
                    b = 140;
                }
            }
            const int n = noise(6);
            line[x0] = qRgb(clamp(r + n), clamp(g + n), clamp(b + n));
        }
    }
    return picture;
}
