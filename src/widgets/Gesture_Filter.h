#pragma once
#include <QObject>
#include <QPoint>
#include <QPointer>

class QMouseEvent;
class QWidget;

// One event filter shared by a family of controls, so that one handler serves them all and finds
// its slot from the sender's objectName (PNL_Cam1 .. PNL_Cam9, IMG_Cam1 ..).
//
// Gestures, reported with the watched control as the sender:
// - Clicked: the left button pressed and released over the same control. The first click of a
//   double click is a click like any other.
// - Double_Clicked: the second press of a double click; the release that ends it is no click.
// - Mouse_Up: every button release, after the Clicked it may complete; `pos` in the control's
//   coordinates (a release outside the control after pressing on it is reported there).
//
// A gesture goes to the innermost watched control it happened on: when the control leaves the event
// to its parent and the parent is watched too, the parent does not report it a second time.
// The filter never consumes an event: the controls and their parents still receive everything.
// Handlers must not delete the sender synchronously (use deleteLater()).
class Gesture_Filter : public QObject {
    Q_OBJECT
public:
    explicit Gesture_Filter(QObject* parent = nullptr);

    // Starts reporting the gestures of `control` (its lifetime is followed; watching twice is harmless).
    void Watch(QWidget* control);
    // Stops reporting them.
    void Unwatch(QWidget* control);

signals:
    void Clicked(QObject* sender);
    void Double_Clicked(QObject* sender);
    void Mouse_Up(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Already_Reported(QWidget* control, const QMouseEvent& event);

    QPointer<QWidget> left_pressed_;  // control the left button went down on, until its release
    // The last mouse event reported, to recognise the same event passed on to a watched parent.
    struct Event_Key {
        int type = 0;
        quint64 timestamp = 0;
        QPointF global;
    } last_key_;
    QPointer<QWidget> last_target_;
};
