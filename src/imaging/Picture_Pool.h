#pragma once

#include <QImage>
#include <QSize>

#include <array>
#include <cstddef>

// The last few pictures a producer made: once their users have let go of one, the next picture is made
// in its buffer instead of touching fresh memory for every frame. Three: the one shown, the one before
// it and one to make the next in. One thread only.
class Picture_Pool {
public:
    // A kept picture nobody else holds any more, taken out of the pool (null when there is none).
    QImage Take();
    // Keeps picture (an implicitly shared copy) where the last Take left room, else in place of the oldest.
    void Keep(const QImage& picture);

private:
    std::array<QImage, 3> kept_;
    std::size_t next_ = 0;
};

// recycled when nobody else holds it and it already has size and format, otherwise a new picture of them
// (null when there is no memory for it).
QImage Reuse_Or_Make(QImage&& recycled, QSize size, QImage::Format format);
