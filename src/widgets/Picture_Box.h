#pragma once
#include <QImage>
#include <QWidget>

// A picture stretched to the widget's bounds (the aspect ratio is not kept).
//
// Painted straight from the QImage into the widget rectangle: no QPixmap conversion per frame and,
// unless Set_Smooth(true), no smooth scaling, so nine boxes refreshed at 20 pictures per second stay
// cheap. With a picture the widget paints every pixel itself (opaque paint); without one it paints
// nothing, so its parent's background shows through.
class Picture_Box : public QWidget {
    Q_OBJECT
public:
    explicit Picture_Box(QWidget* parent = nullptr);

    // Shows `picture` (an implicitly shared copy; no pixels are copied) and schedules a repaint.
    // Setting the picture that is already shown (same cache key) does nothing. A null image clears.
    void Set_Picture(const QImage& picture);
    const QImage& Picture() const { return picture_; }
    bool Has_Picture() const { return !picture_.isNull(); }

    // Removes the picture; the parent shows through again.
    void Clear();

    // Smooth (bilinear) scaling; off by default.
    void Set_Smooth(bool smooth);
    bool Smooth() const { return smooth_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Update_Opaque();

    QImage picture_;
    bool smooth_ = false;
};
