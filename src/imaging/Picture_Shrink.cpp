#include "imaging/Picture_Shrink.h"

#include "imaging/Picture_Pool.h"

bool Shrinks_To(QSize picture, QSize shown)
{
    return shown.width() > 0 && shown.height() > 0 && picture.width() >= shown.width() &&
           picture.height() >= shown.height() && picture != shown;
}

Picture_Shrinker::Picture_Shrinker(QSize from, QSize to, QImage::Format format, QImage&& recycled)
    : shrunk_(Reuse_Or_Make(std::move(recycled), to, format))
{
    if (shrunk_.isNull() || shrunk_.depth() != 32 || from.isEmpty()) {
        shrunk_ = QImage();
        return;
    }
    // The first position at half a step, so every pixel takes the one under its centre; the last stays
    // below the source's size.
    step_x_ = (static_cast<std::uint64_t>(from.width()) << 16) / static_cast<unsigned>(to.width());
    step_y_ = (static_cast<std::uint64_t>(from.height()) << 16) / static_cast<unsigned>(to.height());
    y_at_ = step_y_ / 2;
}

void Picture_Shrinker::Rows(int first, int count, const unsigned char* rows, std::ptrdiff_t stride) noexcept
{
    if (shrunk_.isNull())
        return;
    const int width = shrunk_.width();
    for (; next_row_ < shrunk_.height(); ++next_row_, y_at_ += step_y_) {
        const auto source_row = static_cast<int>(y_at_ >> 16);
        if (source_row >= first + count)
            return;
        const auto* from = reinterpret_cast<const std::uint32_t*>(rows + (source_row - first) * stride);
        auto* to = reinterpret_cast<std::uint32_t*>(shrunk_.scanLine(next_row_));
        std::uint64_t x_at = step_x_ / 2;
        for (int x = 0; x < width; ++x, x_at += step_x_)
            to[x] = from[x_at >> 16];
    }
}

QImage Shrink_Picture(const QImage& picture, QSize size, QImage&& recycled)
{
    if (picture.isNull() || size.isEmpty() || picture.size() == size)
        return picture;
    if (picture.depth() == 32) {
        Picture_Shrinker shrinker(picture.size(), size, picture.format(), std::move(recycled));
        shrinker.Rows(0, picture.height(), picture.constBits(), picture.bytesPerLine());
        QImage shrunk = shrinker.Take();
        if (!shrunk.isNull())
            return shrunk;
    }
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}
