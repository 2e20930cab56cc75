#pragma once
#include "widgets/Enter_Key_Tracker.h"

#include <QTimeEdit>

// Seconds of the day (0 .. 86399) shown for a time held as a fraction of a day: the fraction is
// taken modulo one day (-0.25 is 18:00:00), to the nearest millisecond (a whole second read back
// from a file may be a hair short of it), then its whole seconds: 23:59:59.9 is 86399, never the
// next midnight. A NaN or infinite value gives 0.
int Day_Fraction_To_Seconds(double day_fraction);
// seconds / 86400.0: 0 -> 0, 43200 -> 0.5, 86399 -> 86399/86400.
double Seconds_To_Day_Fraction(int seconds);

// A time-of-day editor showing hh:mm:ss (24 hours), whose value is a fraction of a day, as the
// camera records keep their recording window. It shows whole seconds, but changes a stored value
// only when the user changes the time: committing an untouched editor stores nothing new.
class Time_Edit : public QTimeEdit {
    Q_OBJECT
public:
    explicit Time_Edit(QWidget* parent = nullptr);

    // Shows Day_Fraction_To_Seconds(day_fraction) and remembers day_fraction.
    void Set_Time(double day_fraction);
    // The value given to Set_Time, exactly (even outside a day, or NaN), while the time shown is
    // still the one Set_Time showed; else the time shown, as seconds / 86400.0. Before any
    // Set_Time the editor holds 0.
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
    double given_ = 0;
    QTime shown_;
    Enter_Key_Tracker enter_;
    bool enter_moves_focus_ = false;
};
