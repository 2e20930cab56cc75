#include "imaging/Picture_Pool.h"

#include <utility>

QImage Picture_Pool::Take()
{
    for (QImage& kept : kept_) {
        if (!kept.isNull() && kept.isDetached()) {
            QImage free = std::move(kept);
            kept = QImage();
            return free;
        }
    }
    return QImage();
}

void Picture_Pool::Keep(const QImage& picture)
{
    // In the place a picture was taken from (a ring would drop a buffer still free to reuse, and the next
    // picture would touch fresh memory), else in place of the oldest.
    for (QImage& kept : kept_) {
        if (kept.isNull()) {
            kept = picture;
            return;
        }
    }
    kept_[next_] = picture;
    next_ = (next_ + 1) % kept_.size();
}

QImage Reuse_Or_Make(QImage&& recycled, QSize size, QImage::Format format)
{
    if (!recycled.isNull() && recycled.isDetached() && recycled.size() == size && recycled.format() == format)
        return std::move(recycled);
    return QImage(size, format);
}
