#pragma once
#include <QLabel>
#include <QPixmap>

// A label laid over a live picture. Every new picture under it repaints it, 20 times a second for each
// camera, so what the label draws is kept in a pixmap and copied at each paint. After a change of text,
// size, font, palette or style it paints as a QLabel once and draws the pixmap again right after the
// paint (a widget cannot draw itself into a pixmap while it paints). Otherwise a plain QLabel.
class Caption_Label : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool Drawn_Is_Current() const;
    void Draw();

    QPixmap drawn_;
    QString drawn_text_;
    bool drawing_ = false;      // the label draws itself into drawn_
    bool draw_queued_ = false;  // Draw is called once the event loop is back
};
