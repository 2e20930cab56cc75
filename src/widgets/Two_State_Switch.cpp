#include "widgets/Two_State_Switch.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

constexpr int Track_Width = 34;
constexpr int Track_Height = 16;
constexpr int Spacing = 6;

const QColor Off_Track{110, 110, 110};
const QColor On_Track{46, 160, 67};

}  // namespace

Two_State_Switch::Two_State_Switch(QWidget* parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setChecked(false);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    // text() follows the state so accessibility tools read the caption the user sees.
    connect(this, &QAbstractButton::toggled, this, [this] {
        setText(Current_Caption());
        update();
    });
}

void Two_State_Switch::Set_Captions(const QString& off, const QString& on)
{
    caption_off_ = off;
    caption_on_ = on;
    setText(Current_Caption());
    updateGeometry();
    update();
}

QRect Two_State_Switch::Track_Rect() const
{
    const int h = std::min(Track_Height, std::max(8, height() - 4));
    return {2, (height() - h) / 2, Track_Width, h};
}

QSize Two_State_Switch::sizeHint() const
{
    const QFontMetrics fm(font());
    const int text = std::max(fm.horizontalAdvance(caption_off_), fm.horizontalAdvance(caption_on_));
    return {2 + Track_Width + Spacing + text + 4, std::max(Track_Height + 8, fm.height() + 6)};
}

QSize Two_State_Switch::minimumSizeHint() const
{
    return {Track_Width + 4, Track_Height + 4};
}

bool Two_State_Switch::hitButton(const QPoint& pos) const
{
    // The caption belongs to the switch: a click anywhere on it toggles.
    return rect().contains(pos);
}

void Two_State_Switch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF track = QRectF(Track_Rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = track.height() / 2;
    QColor fill = isChecked() ? On_Track : Off_Track;
    if (!isEnabled())
        fill = fill.darker(160);
    painter.setPen(QPen(fill.darker(140), 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(track, radius, radius);

    const qreal knob = track.height() - 4;
    const qreal knob_x = isChecked() ? track.right() - 2 - knob : track.left() + 2;
    painter.setPen(QPen(QColor(60, 60, 60), 1));
    painter.setBrush(isDown() ? QColor(210, 210, 210) : QColor(245, 245, 245));
    painter.drawEllipse(QRectF(knob_x, track.top() + 2, knob, knob));

    const QRect text_area = rect().adjusted(Track_Rect().right() + Spacing, 0, 0, 0);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.setFont(font());
    painter.drawText(text_area, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, Current_Caption());

    if (hasFocus()) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}
