#include "camsim/Camsim_Scene.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

Camsim_Scene::Camsim_Scene(int camera_number, int width, int height)
    : number_(camera_number), width_(width), height_(height), world_(2 * width, 2 * height, QImage::Format_RGB32)
{
    const int w = world_.width();
    const int h = world_.height();
    const int horizon = h * 11 / 20;
    QPainter p(&world_);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, horizon);
    int hue = (number_ * 37) % 60;  // each camera has a slightly different sky
    sky.setColorAt(0, QColor::fromHsv(200 + hue / 3, 200, 150));
    sky.setColorAt(1, QColor::fromHsv(195, 60, 250));
    p.fillRect(0, 0, w, horizon, sky);

    QLinearGradient ground(0, horizon, 0, h);
    ground.setColorAt(0, QColor(110, 160, 70));
    ground.setColorAt(1, QColor(40, 90, 30));
    p.fillRect(0, horizon, w, h - horizon, ground);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 230, 120));
    p.drawEllipse(QPointF(w * (0.15 + 0.07 * (number_ % 9)), h * 0.15), h * 0.06, h * 0.06);

    // Hills along the horizon, so a jog step visibly moves the view.
    QPainterPath hills;
    hills.moveTo(0, horizon);
    for (int x = 0; x <= w; x += 8)
        hills.lineTo(x, horizon - h * 0.06 * (1 + std::sin(x * 0.011 + number_) * std::cos(x * 0.004)));
    hills.lineTo(w, horizon);
    hills.closeSubpath();
    p.setBrush(QColor(80, 130, 80));
    p.drawPath(hills);

    // A row of houses with numbered doors: fixed landmarks.
    for (int i = 0; i < 8; ++i) {
        int x = w * (i * 2 + 1) / 16 - width_ / 20;
        int y = horizon + h / 20;
        int size = width_ / 10;
        p.setBrush(QColor::fromHsv((i * 45 + number_ * 20) % 360, 120, 220));
        p.drawRect(x, y, size, size);
        p.setBrush(QColor(150, 50, 40));
        p.drawPolygon(
            QPolygon({QPoint(x - size / 8, y), QPoint(x + size / 2, y - size / 2), QPoint(x + size + size / 8, y)}));
    }
}

QImage Camsim_Scene::Render(int view_x, int view_y, double seconds, int flip, const QString& clock_text) const
{
    QImage frame = world_.copy(view_x, view_y, width_, height_);
    {
        QPainter p(&frame);
        p.setRenderHint(QPainter::Antialiasing);
        // A ball that rolls to and fro across the middle of the world (the view at start-up) and
        // bounces on the ground, in world coordinates.
        const int w = world_.width();
        const int h = world_.height();
        double period = 8.0 + number_;
        double phase = std::fmod(seconds / period, 1.0);
        double to_and_fro = phase < 0.5 ? 2 * phase : 2 - 2 * phase;
        double x = w / 4.0 + to_and_fro * w / 2.0;
        double bounce = std::abs(std::sin(seconds * 2.5));
        double y = h * 0.8 - bounce * h * 0.25;
        double r = height_ / 12.0;
        p.setPen(QPen(Qt::black, 2));
        p.setBrush(QColor(220, 40, 40));
        p.drawEllipse(QPointF(x - view_x, y - view_y), r, r);
    }
    if (flip & 3)
        frame = frame.mirrored((flip & 2) != 0, (flip & 1) != 0);

    QPainter p(&frame);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font("Sans");
    font.setPixelSize(std::max(12, height_ / 8));
    font.setBold(true);
    p.setFont(font);
    auto outlined = [&](const QRect& box, int flags, const QString& text) {
        p.setPen(QColor(0, 0, 0, 200));
        p.drawText(box.translated(2, 2), flags, text);
        p.setPen(Qt::white);
        p.drawText(box, flags, text);
    };
    QRect box(height_ / 30, height_ / 40, width_ - height_ / 15, height_ - height_ / 20);
    outlined(box, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("CAM %1").arg(number_));
    outlined(box, Qt::AlignLeft | Qt::AlignBottom, clock_text);
    return frame;
}
