#pragma once

#include <QImage>
#include <QSize>

// True when a picture of `picture` size shown at `shown` is drawn smaller in both directions (and so is
// worth handing over at the shown size instead of being scaled at every paint).
bool Shrinks_To(QSize picture, QSize shown);

// `picture` resampled to `size` by the nearest pixel (each target pixel takes the source pixel under its
// centre), as an unsmoothed painter draws it scaled, into `recycled` when nobody else holds it and it
// already has the size and format. A 32-bit picture is read row by row with no conversion; any other
// format goes through QImage::scaled.
QImage Shrink_Picture(const QImage& picture, QSize size, QImage&& recycled = QImage());
