#pragma once
#include "Enter_Key_Tracker.h"

#include <QTimeEdit>

// Seconds of the day (0 .. 86399) shown for a time held as a fraction of a day: the fraction is
// taken modulo one day (-0.25 is 18:00:00) and rounded to the nearest second; a NaN or infinite
// value gives 0.
int Day_Fraction_To_Seconds(double day_fraction);
// seconds / 86400.0: 0 -> 0, 43200 -> 0.5, 86399 -> 86399/86400.
double Seconds_To_Day_Fraction(int seconds);

// A time-of-day editor showing hh:mm:ss (24 hours), whose value is a fraction of a day, as the
// camera records keep their recording window.
class Time_Edit : public QTimeEdit {
    Q_OBJECT
public:
    explicit Time_Edit(QWidget* parent = nullptr);

    void Set_Time(double day_fraction);
    // The time shown, as seconds / 86400.0.
    double Time() const;

    // When on, releasing Enter moves the focus to the next control, after Enter_Released.
    void Set_Enter_Moves_Focus(bool moves) { enter_moves_focus_ = moves; }
    bool Enter_Moves_Focus() const { return enter_moves_focus_; }

signals:
    // The focus went to another control of the window (the typed time is already taken).
    void Editing_Finished();
    // Enter (Return or keypad Enter) was released in the editor.
    void Enter_Released();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Enter_Key_Tracker enter_;
    bool enter_moves_focus_ = false;
};
