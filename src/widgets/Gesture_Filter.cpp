#include "widgets/Gesture_Filter.h"

#include <QMouseEvent>
#include <QWidget>

Gesture_Filter::Gesture_Filter(QObject* parent) : QObject(parent) {}

void Gesture_Filter::Watch(QWidget* control)
{
    if (control == nullptr)
        return;
    control->removeEventFilter(this);  // installing twice would report twice
    control->installEventFilter(this);
}

void Gesture_Filter::Unwatch(QWidget* control)
{
    if (control != nullptr)
        control->removeEventFilter(this);
}

bool Gesture_Filter::Already_Reported(QWidget* control, const QMouseEvent& event)
{
    // Qt offers an ignored mouse event to the parent as a copy with the same type, time stamp and
    // screen position; the control that saw it first has reported it already.
    const Event_Key key{static_cast<int>(event.type()), event.timestamp(), event.globalPosition()};
    const bool same_event =
        key.type == last_key_.type && key.timestamp == last_key_.timestamp && key.global == last_key_.global;
    if (same_event && last_target_ && last_target_ != control && control->isAncestorOf(last_target_))
        return true;
    last_key_ = key;
    last_target_ = control;
    return false;
}

bool Gesture_Filter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return false;
    auto* control = qobject_cast<QWidget*>(watched);
    if (control == nullptr)
        return false;
    const auto& mouse = static_cast<const QMouseEvent&>(*event);
    if (Already_Reported(control, mouse))
        return false;

    const Qt::MouseButton button = mouse.button();
    switch (type) {
    case QEvent::MouseButtonPress:
        if (button == Qt::LeftButton)
            left_pressed_ = control;
        break;
    case QEvent::MouseButtonDblClick:
        if (button == Qt::LeftButton) {
            left_pressed_ = nullptr;  // the release that ends a double click is no click
            emit Double_Clicked(control);
        }
        break;
    case QEvent::MouseButtonRelease: {
        const QPoint pos = mouse.position().toPoint();
        // Read the modifiers before any handler runs: they describe the moment of the release.
        const Qt::KeyboardModifiers modifiers = mouse.modifiers();
        const QPointer<QWidget> alive = control;
        if (button == Qt::LeftButton) {
            const bool click = left_pressed_ == control && control->rect().contains(pos);
            left_pressed_ = nullptr;
            if (click)
                emit Clicked(control);
        }
        if (alive)
            emit Mouse_Up(control, button, modifiers, pos);
        break;
    }
    default: break;
    }
    return false;
}
