#include "widgets/Picture_Box.h"

#include <QPaintEvent>
#include <QPainter>

Picture_Box::Picture_Box(QWidget* parent) : QWidget(parent)
{
    Update_Opaque();
}

void Picture_Box::Set_Picture(const QImage& picture)
{
    if (picture.isNull()) {
        Clear();
        return;
    }
    // The cache key changes whenever an image's pixels may have changed (any non-const access
    // detaches or bumps it), so an equal key means the very same pixels are already shown.
    if (!picture_.isNull() && picture.cacheKey() == picture_.cacheKey() && picture.size() == picture_.size())
        return;
    picture_ = picture;
    Update_Opaque();
    update();
}

void Picture_Box::Clear()
{
    if (picture_.isNull())
        return;
    picture_ = QImage();
    Update_Opaque();
    update();
}

void Picture_Box::Set_Smooth(bool smooth)
{
    if (smooth == smooth_)
        return;
    smooth_ = smooth;
    update();
}

void Picture_Box::Update_Opaque()
{
    // NOTE: a picture with an alpha channel does not cover the widget, so it must not claim opaque
    // paint: the stale pixels behind it would show.
    const bool opaque = !picture_.isNull() && !picture_.hasAlphaChannel();
    setAttribute(Qt::WA_OpaquePaintEvent, opaque);
}

void Picture_Box::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    if (smooth_)
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(rect(), picture_);
}
