#pragma once

#include <QImage>
#include <QSize>

#include <cstddef>
#include <cstdint>

// True when a picture of `picture` size shown at `shown` is drawn smaller in both directions (and so is
// worth handing over at the shown size instead of being scaled at every paint).
bool Shrinks_To(QSize picture, QSize shown);

// Draws a 32-bit picture smaller by the nearest pixel (each target pixel takes the source pixel under its
// centre), as an unsmoothed painter draws it scaled, from the picture's rows as they come top to bottom:
// the picture need never be whole in memory.
class Picture_Shrinker {
public:
    // A `from` picture of format (32 bits per pixel) drawn at `to`, into `recycled` when nobody else holds
    // it and it already has the size and format.
    Picture_Shrinker(QSize from, QSize to, QImage::Format format, QImage&& recycled = QImage());
    // Rows first .. first + count - 1 of the picture, row r at rows + (r - first) * stride bytes.
    void Rows(int first, int count, const unsigned char* rows, std::ptrdiff_t stride) noexcept;
    // The picture drawn (null when there was no memory for it).
    QImage Take() { return std::move(shrunk_); }

private:
    QImage shrunk_;
    std::uint64_t step_x_ = 0;  // source positions in 16.16 fixed point
    std::uint64_t step_y_ = 0;
    std::uint64_t y_at_ = 0;  // of the next target row
    int next_row_ = 0;
};

// `picture` drawn at `size` by a Picture_Shrinker. Any other format than 32-bit goes through QImage::scaled.
QImage Shrink_Picture(const QImage& picture, QSize size, QImage&& recycled = QImage());
