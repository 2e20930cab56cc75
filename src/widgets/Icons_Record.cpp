// The four recording status icons of a camera panel (24 x 24).
#include "widgets/Icons.h"

#include <QPainter>
#include <QPainterPath>

namespace Icons {

namespace {

constexpr int Side = 24;
const QColor Rec_Red{220, 30, 30};

QImage New_Icon()
{
    QImage image(Side, Side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A round dark button with a square of `square` in its middle.
QImage Button_Icon(const QColor& square)
{
    QImage image = New_Icon();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QRadialGradient shade(QPointF(9, 8), 14);
    shade.setColorAt(0, QColor(90, 90, 90));
    shade.setColorAt(1, QColor(25, 25, 25));
    painter.setPen(QPen(QColor(10, 10, 10), 1));
    painter.setBrush(shade);
    painter.drawEllipse(QRectF(1.5, 1.5, 21, 21));
    painter.setPen(Qt::NoPen);
    painter.setBrush(square);
    painter.drawRect(QRectF(8, 8, 8, 8));
    painter.end();
    return image;
}

QImage Rec_Det_Image()
{
    QImage image = New_Icon();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Rec_Red.darker(150), 1));
    painter.setBrush(Rec_Red);
    painter.drawRect(QRectF(0.5, 0.5, 23, 23));
    // A running figure: head, leaning body, one arm forward and one back, legs in stride.
    painter.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(14.5, 4.5), 2.3, 2.3);
    painter.drawLine(QPointF(13.5, 8), QPointF(11, 14));  // body
    QPainterPath arms;
    arms.moveTo(7, 10);
    arms.lineTo(10, 8.5);
    arms.lineTo(13.5, 8.5);
    arms.lineTo(16, 11.5);
    arms.lineTo(19, 11);
    QPainterPath legs;
    legs.moveTo(5, 17);
    legs.lineTo(8, 18);
    legs.lineTo(11, 14);
    legs.lineTo(14, 17);
    legs.lineTo(13, 21.5);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(arms);
    painter.drawPath(legs);
    painter.end();
    return image;
}

QImage Timer_Image()
{
    QImage image = New_Icon();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(150, 150, 150), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(0.5, 0.5, 23, 23));
    // Clock: a thin red dial, hour marks at 12, 3, 6, 9, and two hands.
    painter.setPen(QPen(Rec_Red, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(12, 12), 9, 9);
    const QPointF marks[4][2] = {{{12, 3}, {12, 5}}, {{21, 12}, {19, 12}}, {{12, 21}, {12, 19}}, {{3, 12}, {5, 12}}};
    for (const auto& mark : marks)
        painter.drawLine(mark[0], mark[1]);
    painter.setPen(QPen(Rec_Red, 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(12, 12), QPointF(12, 5.5));   // minute hand
    painter.drawLine(QPointF(12, 12), QPointF(16.5, 14));  // hour hand
    painter.end();
    return image;
}

}  // namespace

QImage Image_Mod_NoRec()
{
    static const QImage image = Button_Icon(Qt::white);
    return image;
}

QImage Image_Mod_Rec()
{
    static const QImage image = Button_Icon(Rec_Red);
    return image;
}

QImage Image_Mod_RecDet()
{
    static const QImage image = Rec_Det_Image();
    return image;
}

QImage Image_Mod_NoRec_Timer()
{
    static const QImage image = Timer_Image();
    return image;
}

QPixmap Icon_Mod_NoRec()
{
    return QPixmap::fromImage(Image_Mod_NoRec());
}
QPixmap Icon_Mod_Rec()
{
    return QPixmap::fromImage(Image_Mod_Rec());
}
QPixmap Icon_Mod_RecDet()
{
    return QPixmap::fromImage(Image_Mod_RecDet());
}
QPixmap Icon_Mod_NoRec_Timer()
{
    return QPixmap::fromImage(Image_Mod_NoRec_Timer());
}

}  // namespace Icons
