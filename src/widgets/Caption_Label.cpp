#include "widgets/Caption_Label.h"

#include <QEvent>
#include <QPainter>

bool Caption_Label::Drawn_Is_Current() const
{
    const qreal ratio = devicePixelRatioF();
    return !drawn_.isNull() && drawn_.size() == size() * ratio && drawn_.devicePixelRatio() == ratio &&
           drawn_text_ == text();
}

void Caption_Label::Draw()
{
    draw_queued_ = false;
    if (Drawn_Is_Current() || size().isEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    QPixmap drawn(size() * ratio);
    drawn.setDevicePixelRatio(ratio);
    drawn.fill(Qt::transparent);
    drawing_ = true;
    render(&drawn, QPoint(), QRegion(), RenderFlags());
    drawing_ = false;
    drawn_ = std::move(drawn);
    drawn_text_ = text();
}

void Caption_Label::paintEvent(QPaintEvent* event)
{
    if (drawing_ || !Drawn_Is_Current()) {
        QLabel::paintEvent(event);
        if (!drawing_ && !draw_queued_) {
            draw_queued_ = true;
            QMetaObject::invokeMethod(this, &Caption_Label::Draw, Qt::QueuedConnection);
        }
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, drawn_);
}

void Caption_Label::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::EnabledChange:
    case QEvent::LayoutDirectionChange: drawn_ = QPixmap(); break;
    default: break;
    }
    QLabel::changeEvent(event);
}
