#include "widgets/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>

namespace Icons {

namespace {

QImage Transparent_Image(QSize size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

}  // namespace

QPixmap Arrow(Direction direction, QSize size, const QColor& color)
{
    QImage image = Transparent_Image(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // The arrow head fills the picture less a margin, so a wide button gets a wide, flat arrow.
    const qreal mx = std::max(1.0, image.width() * 0.15);
    const qreal my = std::max(1.0, image.height() * 0.15);
    const QRectF r(mx, my, image.width() - 2 * mx, image.height() - 2 * my);
    const QPointF c = r.center();
    QPolygonF head;
    switch (direction) {
    case Direction::Up: head << QPointF(c.x(), r.top()) << r.bottomRight() << r.bottomLeft(); break;
    case Direction::Down: head << QPointF(c.x(), r.bottom()) << r.topLeft() << r.topRight(); break;
    case Direction::Left: head << QPointF(r.left(), c.y()) << r.topRight() << r.bottomRight(); break;
    case Direction::Right: head << QPointF(r.right(), c.y()) << r.bottomLeft() << r.topLeft(); break;
    }
    painter.setPen(QPen(color.darker(150), 1));
    painter.setBrush(color);
    painter.drawPolygon(head);
    painter.end();
    return QPixmap::fromImage(image);
}

QPixmap Full_View(QSize size)
{
    QImage image = Transparent_Image(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const qreal w = image.width();
    const qreal h = image.height();
    painter.scale(w / 24.0, h / 24.0);
    painter.setPen(QPen(QColor(220, 220, 220), 1.5));
    painter.setBrush(QColor(70, 70, 70));
    painter.drawRect(QRectF(6, 6, 12, 12));
    // Corner marks pointing outwards: the picture fills the whole view again.
    painter.setPen(QPen(QColor(240, 240, 240), 2.0, Qt::SolidLine, Qt::SquareCap));
    const QPointF corners[4] = {{2, 2}, {22, 2}, {22, 22}, {2, 22}};
    const QPointF arms[4] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
    for (int i = 0; i < 4; ++i) {
        painter.drawLine(corners[i], corners[i] + QPointF(arms[i].x() * 5, 0));
        painter.drawLine(corners[i], corners[i] + QPointF(0, arms[i].y() * 5));
    }
    painter.end();
    return QPixmap::fromImage(image);
}

namespace {

// A shape and its reflection across the horizontal middle line of a 32 x 32 picture; the
// horizontal mirror is the same picture turned a quarter.
QImage Mirror_Image(bool vertical)
{
    QImage image = Transparent_Image(QSize(32, 32));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (!vertical) {
        painter.translate(16, 16);
        painter.rotate(90);
        painter.translate(-16, -16);
    }
    const QPolygonF upper({QPointF(16, 3), QPointF(27, 13), QPointF(5, 13)});
    const QPolygonF lower({QPointF(16, 29), QPointF(27, 19), QPointF(5, 19)});
    painter.setPen(QPen(QColor(30, 30, 30), 1));
    painter.setBrush(QColor(80, 160, 230));
    painter.drawPolygon(upper);
    painter.setBrush(QColor(200, 225, 245));
    painter.drawPolygon(lower);
    painter.setPen(QPen(QColor(240, 240, 240), 1.5, Qt::DashLine));
    painter.drawLine(QPointF(1, 16), QPointF(31, 16));
    painter.end();
    return image;
}

}  // namespace

QPixmap Mirror_Vertical()
{
    static const QImage image = Mirror_Image(true);
    return QPixmap::fromImage(image);
}

QPixmap Mirror_Horizontal()
{
    static const QImage image = Mirror_Image(false);
    return QPixmap::fromImage(image);
}

}  // namespace Icons
