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
    // In the place a picture was taken from, else in place of one nobody holds (a buffer to reuse
    // still: dropping it would make the next picture touch fresh memory), else of the oldest.
    for (QImage& kept : kept_) {
        if (kept.isNull()) {
            kept = picture;
            return;
        }
    }
    for (QImage& kept : kept_) {
        if (kept.isDetached()) {
            kept = picture;
            return;
        }
    }
    kept_[next_] = picture;
    next_ = (next_ + 1) % kept_.size();
}
