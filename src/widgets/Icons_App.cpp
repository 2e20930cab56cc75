// The application's picture, at any size, and its PNG files for the desktop entry.
#include "widgets/Icons.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>

namespace Icons {

namespace {

constexpr qreal Design = 256.0;

void Draw_App(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Rounded dark-blue plate.
    QLinearGradient plate(0, 0, 0, Design);
    plate.setColorAt(0, QColor(46, 78, 122));
    plate.setColorAt(1, QColor(20, 34, 58));
    painter.setPen(Qt::NoPen);
    painter.setBrush(plate);
    painter.drawRoundedRect(QRectF(8, 8, 240, 240), 40, 40);

    // 3 x 3 grid of screens.
    painter.setBrush(QColor(120, 170, 220));
    const qreal cell = 64;
    const qreal gap = 10;
    const qreal start = (Design - 3 * cell - 2 * gap) / 2;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            painter.drawRoundedRect(QRectF(start + col * (cell + gap), start + row * (cell + gap), cell, cell), 8, 8);

    // Camera lens over the middle: dark ring, glass, highlight.
    const QPointF centre(Design / 2, Design / 2);
    painter.setBrush(QColor(18, 18, 22));
    painter.drawEllipse(centre, 58, 58);
    painter.setBrush(QColor(70, 70, 80));
    painter.drawEllipse(centre, 46, 46);
    QRadialGradient glass(centre + QPointF(-10, -10), 40);
    glass.setColorAt(0, QColor(90, 150, 230));
    glass.setColorAt(1, QColor(10, 30, 80));
    painter.setBrush(glass);
    painter.drawEllipse(centre, 36, 36);
    painter.setBrush(QColor(255, 255, 255, 170));
    painter.drawEllipse(centre + QPointF(-14, -14), 9, 9);
}

}  // namespace

QImage App_Image(int size)
{
    size = std::clamp(size, 16, 256);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(size / Design, size / Design);
    Draw_App(painter);
    painter.end();
    return image;
}

QIcon App_Icon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(App_Image(size)));
    return icon;
}

bool Write_App_Icon_Png(const QString& file, int size)
{
    return App_Image(size).save(file, "PNG");
}

bool Write_App_Icon_Pngs(const QString& folder, std::span<const int> sizes, const QString& name)
{
    for (int size : sizes) {
        const int side = std::clamp(size, 16, 256);
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(side);
        if (!QDir().mkpath(dir))
            return false;
        if (!Write_App_Icon_Png(dir + QLatin1Char('/') + name + QStringLiteral(".png"), side))
            return false;
    }
    return true;
}

}  // namespace Icons
