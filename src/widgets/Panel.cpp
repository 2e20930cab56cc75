#include "widgets/Panel.h"

#include <QPainter>

Panel::Panel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, true);
}

void Panel::Set_Color(const QColor& color)
{
    if (color == color_)
        return;
    color_ = color;
    // A translucent colour does not cover what lies behind the panel.
    setAttribute(Qt::WA_OpaquePaintEvent, color_.alpha() == 255);
    update();
}

void Panel::Set_Caption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    update();
}

void Panel::Set_Caption_Color(const QColor& color)
{
    if (color == caption_color_)
        return;
    caption_color_ = color;
    update();
}

void Panel::Set_Frame(Frame_Style style, const QColor& color)
{
    frame_ = style;
    frame_color_ = color;
    const int m = Frame_Width();
    setContentsMargins(m, m, m, m);
    update();
}

QRect Panel::Client_Rect() const
{
    const int m = Frame_Width();
    return rect().adjusted(m, m, -m, -m);
}

void Panel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), color_);
    if (frame_ == Frame_Style::Lowered && width() > 0 && height() > 0) {
        const QRect r = rect();
        painter.setPen(frame_color_.darker(170));
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(frame_color_);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
    if (!caption_.isEmpty()) {
        painter.setPen(caption_color_);
        painter.setFont(font());
        painter.drawText(Client_Rect(), Qt::AlignCenter | Qt::TextSingleLine, caption_);
    }
}
