#include "platform/Clock.h"

#include <ctime>

double Local_Date_Time::Time_Of_Day() const
{
    return ((Hour * 60.0 + Minute) * 60.0 + Second + Millisecond / 1000.0) / 86400.0;
}

namespace {

class Machine_Clock final : public Clock {
public:
    int64_t Tick_Ms() const override
    {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
    }

    Local_Date_Time Now() const override
    {
        timespec ts{};
        clock_gettime(CLOCK_REALTIME, &ts);
        tm local{};
        localtime_r(&ts.tv_sec, &local);
        Local_Date_Time now;
        now.Year = local.tm_year + 1900;
        now.Month = local.tm_mon + 1;
        now.Day = local.tm_mday;
        now.Hour = local.tm_hour;
        now.Minute = local.tm_min;
        now.Second = local.tm_sec;
        now.Millisecond = static_cast<int>(ts.tv_nsec / 1000000);
        return now;
    }
};

}  // namespace

const Clock& System_Clock()
{
    static const Machine_Clock clock;
    return clock;
}
