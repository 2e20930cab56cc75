#include "widgets/Busy_Animation.h"

#include <QPainter>
#include <QTimerEvent>

#include <array>

namespace {

// The twelve cells on the border of a 4 x 4 grid of 32-pixel cells, clockwise from the top-left.
constexpr std::array<QPoint, Busy_Animation::Frame_Count> Border_Cells{{
    {0, 0},
    {1, 0},
    {2, 0},
    {3, 0},
    {3, 1},
    {3, 2},
    {3, 3},
    {2, 3},
    {1, 3},
    {0, 3},
    {0, 2},
    {0, 1},
}};

constexpr int Cell = Busy_Animation::Design_Size / 4;
constexpr int Gap = 4;

}  // namespace

Busy_Animation::Busy_Animation(QWidget* parent) : QWidget(parent) {}

void Busy_Animation::Set_Animate(bool animate)
{
    if (animate == animate_)
        return;
    animate_ = animate;
    Update_Timer();
}

void Busy_Animation::Update_Timer()
{
    const bool run = animate_ && isVisible();
    if (run && !timer_.isActive())
        timer_.start(Frame_Interval_Ms, Qt::CoarseTimer, this);
    else if (!run && timer_.isActive())
        timer_.stop();
}

void Busy_Animation::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Update_Timer();
}

void Busy_Animation::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    Update_Timer();
}

void Busy_Animation::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != timer_.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    frame_ = (frame_ + 1) % Frame_Count;
    update();
}

void Busy_Animation::Draw_Frame(QPainter& painter, const QRectF& area, int frame)
{
    frame = ((frame % Frame_Count) + Frame_Count) % Frame_Count;
    painter.save();
    painter.translate(area.topLeft());
    painter.scale(area.width() / Design_Size, area.height() / Design_Size);
    painter.setPen(Qt::NoPen);
    // The head block is the lightest; the blocks behind it fade towards the dark resting grey.
    for (int i = 0; i < Frame_Count; ++i) {
        const int behind = (frame - i + Frame_Count) % Frame_Count;
        const int level = behind < 6 ? 230 - behind * 28 : 70;
        const QPoint cell = Border_Cells[static_cast<std::size_t>(i)];
        painter.setBrush(QColor(level, level, level));
        painter.drawRect(QRectF(cell.x() * Cell + Gap / 2.0, cell.y() * Cell + Gap / 2.0, Cell - Gap, Cell - Gap));
    }
    painter.restore();
}

void Busy_Animation::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Draw_Frame(painter, QRectF(rect()), frame_);
}
