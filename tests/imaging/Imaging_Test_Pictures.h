#pragma once

#include <QImage>

#include <cmath>
#include <cstdint>

// Deterministic test scenes for the imaging tests.

// Smooth colour gradients with soft waves and three saturated blocks (red, green, blue, so a
// swapped byte order shows), plus noise of the given amplitude drawn from seed: like a camera
// scene, detail everywhere and no flat field.
inline QImage Scene_Picture(int width, int height, std::uint32_t seed = 1, int noise = 12)
{
    QImage picture(width, height, QImage::Format_RGB32);
    std::uint32_t state = seed * 2654435761u + 1;
    const auto next_noise = [&]() {
        state = state * 1664525u + 1013904223u;
        return noise == 0 ? 0 : static_cast<int>((state >> 24) % (2 * noise + 1)) - noise;
    };
    const auto clamp = [](int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); };
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            int r = 40 + 170 * x / width;
            int g = 60 + 150 * y / height;
            int b = 128 + static_cast<int>(80 * std::sin(x * 0.05) * std::cos(y * 0.07));
            const int block = (x * 4 / width) + 4 * (y * 4 / height);
            if (block == 5) {
                r = 230;
                g = 20;
                b = 20;
            }
            if (block == 6) {
                r = 20;
                g = 220;
                b = 30;
            }
            if (block == 9) {
                r = 25;
                g = 30;
                b = 225;
            }
            const int n = next_noise();
            line[x] = qRgb(clamp(r + n), clamp(g + n), clamp(b + n));
        }
    }
    return picture;
}

// Mean absolute difference per channel between two pictures of equal size, read as RGB.
inline double Mean_Channel_Difference(const QImage& a, const QImage& b)
{
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    double total = 0;
    for (int y = 0; y < left.height(); ++y) {
        const auto* l = reinterpret_cast<const QRgb*>(left.constScanLine(y));
        const auto* r = reinterpret_cast<const QRgb*>(right.constScanLine(y));
        for (int x = 0; x < left.width(); ++x)
            total += std::abs(qRed(l[x]) - qRed(r[x])) + std::abs(qGreen(l[x]) - qGreen(r[x])) +
                     std::abs(qBlue(l[x]) - qBlue(r[x]));
    }
    return total / (3.0 * left.width() * left.height());
}
