#include "widgets/Time_Edit.h"

#include <QFocusEvent>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace {
constexpr int Seconds_Per_Day = 86400;
}

int Day_Fraction_To_Seconds(double day_fraction)
{
    if (!std::isfinite(day_fraction))
        return 0;
    // [0, 1]: 1 only for a negative value too small to move away from the next whole day.
    const double in_day = day_fraction - std::floor(day_fraction);
    const long long milliseconds = std::llround(in_day * Seconds_Per_Day * 1000.0);
    return static_cast<int>(std::min<long long>(milliseconds / 1000, Seconds_Per_Day - 1));
}

double Seconds_To_Day_Fraction(int seconds)
{
    return seconds / static_cast<double>(Seconds_Per_Day);
}

Time_Edit::Time_Edit(QWidget* parent) : QTimeEdit(parent)
{
    setDisplayFormat(QStringLiteral("HH:mm:ss"));
    Set_Time(0);
}

void Time_Edit::Set_Time(double day_fraction)
{
    setTime(QTime(0, 0, 0).addSecs(Day_Fraction_To_Seconds(day_fraction)));
    shown_ = time();
    given_ = day_fraction;
}

double Time_Edit::Time() const
{
    if (time() == shown_)
        return given_;
    return Seconds_To_Day_Fraction(time().msecsSinceStartOfDay() / 1000);
}

void Time_Edit::keyPressEvent(QKeyEvent* event)
{
    enter_.Pressed(*event);
    QTimeEdit::keyPressEvent(event);
}

void Time_Edit::keyReleaseEvent(QKeyEvent* event)
{
    if (!enter_.Released(*event)) {
        QTimeEdit::keyReleaseEvent(event);
        return;
    }
    event->accept();
    const QPointer<Time_Edit> alive = this;
    emit Enter_Released();
    if (alive && enter_moves_focus_ && hasFocus())
        focusNextChild();
}

void Time_Edit::focusOutEvent(QFocusEvent* event)
{
    enter_.Focus_Lost();
    QTimeEdit::focusOutEvent(event);  // takes the typed text into time()
    if (Leaves_Edit(event->reason()))
        emit Editing_Finished();
}
