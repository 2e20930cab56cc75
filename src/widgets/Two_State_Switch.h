#pragma once
#include <QAbstractButton>
#include <QString>

// A two-state slide switch with a caption that names the current state ("Move" when off, "Set" when
// on, for the preset buttons). Checkable, off at creation; a click or the space bar toggles it and
// emits the usual toggled(bool) / clicked(bool).
//
// Drawn as a small track with a knob on the left (off, grey) or on the right (on, green), the
// caption to its right in the palette's WindowText colour (set the palette on a dark background).
class Two_State_Switch : public QAbstractButton {
    Q_OBJECT
public:
    explicit Two_State_Switch(QWidget* parent = nullptr);

    // The captions shown when off and when on.
    void Set_Captions(const QString& off, const QString& on);
    QString Caption_Off() const { return caption_off_; }
    QString Caption_On() const { return caption_on_; }

    // The caption of the current state.
    QString Current_Caption() const { return isChecked() ? caption_on_ : caption_off_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QRect Track_Rect() const;

    QString caption_off_;
    QString caption_on_;
};
