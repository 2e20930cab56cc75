#pragma once

#include <QImage>

#include <array>
#include <cstddef>

// The last few pictures a producer made: once their users have let go of one, the next picture is made
// in its buffer instead of touching fresh memory for every frame. Three: the one shown, the one before
// it and one to make the next in. One thread only.
class Picture_Pool {
public:
    // A kept picture nobody else holds any more, taken out of the pool (null when there is none).
    QImage Take();
    // Keeps picture (an implicitly shared copy) in place of the oldest kept.
    void Keep(const QImage& picture);

private:
    std::array<QImage, 3> kept_;
    std::size_t next_ = 0;
};
