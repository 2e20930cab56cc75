#pragma once
#include <cstdint>

// One reading of the local date and time, to the millisecond.
struct Local_Date_Time {
    int Year = 0, Month = 0, Day = 0;
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;

    // Fraction of the day elapsed since midnight (0.5 is 12:00:00).
    double Time_Of_Day() const;
};

// The program's clocks. Intervals use the monotonic tick; texts use the local date and time.
// Tests substitute their own clock.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds of a monotonic clock counting from system start.
    virtual int64_t Tick_Ms() const = 0;
    // The local date and time now.
    virtual Local_Date_Time Now() const = 0;
};

// The machine's clocks.
const Clock& System_Clock();
