#pragma once
#include <QBasicTimer>
#include <QWidget>

// The waiting animation shown where a camera gives no picture: grey blocks running round the edge of
// a square, drawn by code on a 128 x 128 design and stretched to the widget's size (aspect not kept).
// 12 frames, one every 90 ms.
//
// The frame timer runs only while the animation is switched on AND the widget is visible, so the
// hidden animations of idle camera panels cost nothing. Showing and hiding keep the current frame.
class Busy_Animation : public QWidget {
    Q_OBJECT
public:
    static constexpr int Design_Size = 128;
    static constexpr int Frame_Count = 12;
    static constexpr int Frame_Interval_Ms = 90;

    explicit Busy_Animation(QWidget* parent = nullptr);

    // Switches the animation on or off (off at creation). Off freezes the current frame.
    void Set_Animate(bool animate);
    bool Animate() const { return animate_; }

    // Current frame, 0 .. Frame_Count - 1.
    int Frame() const { return frame_; }

    // True while the frame timer runs (animating and visible).
    bool Running() const { return timer_.isActive(); }

    // Draws `frame` of the design into `area` (scaled to it); for the widget and for pictures.
    static void Draw_Frame(QPainter& painter, const QRectF& area, int frame);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void Update_Timer();

    QBasicTimer timer_;
    bool animate_ = false;
    int frame_ = 0;
};
