#include "Time_Edit.h"

#include <QFocusEvent>
#include <QPointer>

#include <cmath>

namespace {
constexpr int Seconds_Per_Day = 86400;
}

int Day_Fraction_To_Seconds(double day_fraction)
{
    if (!std::isfinite(day_fraction))
        return 0;
    const double in_day = day_fraction - std::floor(day_fraction);  // [0, 1)
    const long long seconds = std::llround(in_day * Seconds_Per_Day);
    return static_cast<int>(seconds % Seconds_Per_Day);  // 0.9999999 rounds to the next midnight
}

double Seconds_To_Day_Fraction(int seconds)
{
    return seconds / static_cast<double>(Seconds_Per_Day);
}

Time_Edit::Time_Edit(QWidget* parent) : QTimeEdit(parent)
{
    setDisplayFormat(QStringLiteral("HH:mm:ss"));
    setTime(QTime(0, 0, 0));
}

void Time_Edit::Set_Time(double day_fraction)
{
    setTime(QTime(0, 0, 0).addSecs(Day_Fraction_To_Seconds(day_fraction)));
}

double Time_Edit::Time() const
{
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
