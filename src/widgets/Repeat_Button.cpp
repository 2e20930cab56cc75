#include "widgets/Repeat_Button.h"

#include <QMouseEvent>
#include <QPointer>
#include <QTimerEvent>

#include <algorithm>

Repeat_Button::Repeat_Button(QWidget* parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

bool Repeat_Button::Fire()
{
    const QPointer<Repeat_Button> alive = this;
    emit Repeat_Click();
    return !alive.isNull();
}

void Repeat_Button::Start_Holding()
{
    held_ = true;
    setDown(true);
    if (!Fire())
        return;
    // The handler may have released, hidden or disabled the button meanwhile.
    if (held_)
        timer_.start(delay_ms_, Qt::PreciseTimer, this);
}

void Repeat_Button::Stop_Holding()
{
    held_ = false;
    timer_.stop();
    setDown(false);
}

void Repeat_Button::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        event->ignore();
        return;
    }
    event->accept();
    if (!held_)
        Start_Holding();
}

// A fast second press arrives as a double click: it is one more press of the button.
void Repeat_Button::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void Repeat_Button::mouseMoveEvent(QMouseEvent* event)
{
    if (held_) {
        setDown(hitButton(event->position().toPoint()));
        event->accept();
        return;
    }
    event->ignore();
}

void Repeat_Button::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    if (held_)
        Stop_Holding();
}

void Repeat_Button::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != timer_.timerId()) {
        QToolButton::timerEvent(event);
        return;
    }
    // One shot per wait: the next wait starts only once the handler has returned.
    timer_.stop();
    if (!held_)
        return;
    if (isDown() && !Fire())
        return;
    if (held_)
        timer_.start(interval_ms_, Qt::PreciseTimer, this);
}

void Repeat_Button::hideEvent(QHideEvent* event)
{
    // A hidden button loses the mouse: no release would ever come.
    if (held_)
        Stop_Holding();
    QToolButton::hideEvent(event);
}

void Repeat_Button::changeEvent(QEvent* event)
{
    if (held_) {
        const bool disabled = event->type() == QEvent::EnabledChange && !isEnabled();
        const bool deactivated = event->type() == QEvent::ActivationChange && !isActiveWindow();
        if (disabled || deactivated)
            Stop_Holding();
    }
    QToolButton::changeEvent(event);
}

void Repeat_Button::resizeEvent(QResizeEvent* event)
{
    QToolButton::resizeEvent(event);
    const int margin = 4;
    setIconSize(QSize(std::max(1, width() - margin), std::max(1, height() - margin)));
}
