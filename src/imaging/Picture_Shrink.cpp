#include "imaging/Picture_Shrink.h"

#include <cstdint>

bool Shrinks_To(QSize picture, QSize shown)
{
    return shown.width() > 0 && shown.height() > 0 && picture.width() >= shown.width() &&
           picture.height() >= shown.height() && picture != shown;
}

QImage Shrink_Picture(const QImage& picture, QSize size, QImage&& recycled)
{
    if (picture.isNull() || size.isEmpty() || picture.size() == size)
        return picture;
    if (picture.depth() != 32)
        return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);

    QImage shrunk = std::move(recycled);
    if (shrunk.isNull() || !shrunk.isDetached() || shrunk.size() != size || shrunk.format() != picture.format())
        shrunk = QImage(size, picture.format());
    if (shrunk.isNull())
        return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);

    // Source positions in 16.16 fixed point: the first at half a step, so every pixel takes the one
    // under its centre; the last stays below the source's size.
    const std::uint64_t step_x = (static_cast<std::uint64_t>(picture.width()) << 16) / static_cast<unsigned>(size.width());
    const std::uint64_t step_y =
        (static_cast<std::uint64_t>(picture.height()) << 16) / static_cast<unsigned>(size.height());
    std::uint64_t y_at = step_y / 2;
    for (int y = 0; y < size.height(); ++y, y_at += step_y) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(picture.constScanLine(static_cast<int>(y_at >> 16)));
        auto* to = reinterpret_cast<std::uint32_t*>(shrunk.scanLine(y));
        std::uint64_t x_at = step_x / 2;
        for (int x = 0; x < size.width(); ++x, x_at += step_x)
            to[x] = from[x_at >> 16];
    }
    return shrunk;
}
