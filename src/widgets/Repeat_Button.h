#pragma once
#include <QBasicTimer>
#include <QToolButton>

// A flat picture button that repeats while held (the pan and tilt jog buttons).
//
// Pressing the left button on it emits Repeat_Click at once. While the button stays held with the
// pointer over it, a further Repeat_Click follows after Repeat_Delay (200 ms), then one every
// Repeat_Interval (20 ms). Releasing stops the repetition and adds no click. Each wait is counted
// from the moment the previous handler returned, so a handler that blocks (a network command) gets
// one click per reply, never a backlog. Moving off the button pauses the repetition until the
// pointer comes back; hiding or disabling the button, or its window losing activation, ends it.
//
// The icon is scaled to the button's size, less a small margin. It takes no keyboard focus.
class Repeat_Button : public QToolButton {
    Q_OBJECT
public:
    static constexpr int Default_Repeat_Delay_Ms = 200;
    static constexpr int Default_Repeat_Interval_Ms = 20;

    explicit Repeat_Button(QWidget* parent = nullptr);

    void Set_Repeat_Delay(int ms) { delay_ms_ = ms < 1 ? 1 : ms; }
    int Repeat_Delay() const { return delay_ms_; }
    void Set_Repeat_Interval(int ms) { interval_ms_ = ms < 1 ? 1 : ms; }
    int Repeat_Interval() const { return interval_ms_; }

    // True from the press until the release (or until the repetition ends otherwise).
    bool Held() const { return held_; }

signals:
    void Repeat_Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Start_Holding();
    void Stop_Holding();
    // Emits one click; returns false if the button was destroyed by the handler.
    bool Fire();

    QBasicTimer timer_;
    bool held_ = false;
    int delay_ms_ = Default_Repeat_Delay_Ms;
    int interval_ms_ = Default_Repeat_Interval_Ms;
};
