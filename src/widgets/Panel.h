#pragma once
#include <QColor>
#include <QString>
#include <QWidget>

// A filled panel: a background colour, an optional caption centred in it, and an optional one-pixel
// lowered frame in a given colour (the camera grid's outer panels use a white one). Children are
// placed by the caller; with a frame, the contents margins are one pixel, so a layout (or
// Client_Rect()) keeps them inside it.
class Panel : public QWidget {
    Q_OBJECT
public:
    enum class Frame_Style { None, Lowered };

    explicit Panel(QWidget* parent = nullptr);

    // Background colour; dark grey by default.
    void Set_Color(const QColor& color);
    QColor Color() const { return color_; }

    // Caption drawn centred in the widget's font (empty: none).
    void Set_Caption(const QString& caption);
    QString Caption() const { return caption_; }

    // Colour of the caption text; white by default.
    void Set_Caption_Color(const QColor& color);
    QColor Caption_Color() const { return caption_color_; }

    // Lowered: the top and left edges in a darker shade of `color`, the bottom and right edges in
    // `color` itself. None: no frame.
    void Set_Frame(Frame_Style style, const QColor& color = Qt::white);
    Frame_Style Frame() const { return frame_; }
    int Frame_Width() const { return frame_ == Frame_Style::None ? 0 : 1; }

    // The area inside the frame, in the panel's coordinates.
    QRect Client_Rect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_{64, 64, 64};
    QColor caption_color_{Qt::white};
    QColor frame_color_{Qt::white};
    QString caption_;
    Frame_Style frame_ = Frame_Style::None;
};
