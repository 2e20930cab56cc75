#include "recording/Record_Rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace {

// A monotonic tick well after system start, as the first pass sees it.
constexpr int64_t Start_Tick = 3'600'000;

double Day_Fraction(int hour, int minute, int second = 0)
{
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

T_Rec_Step_Input Input(int32_t mode, int64_t now, double k_motion = 0)
{
    T_Rec_Step_Input in;
    in.Valide_Record = mode;
    in.K_Motion = k_motion;
    in.K_Detect = 50;
    in.Timer_On = 0;
    in.Timer_Off = 86399.0 / 86400.0;
    in.Frequence_Rec = 5;
    in.Delay_Stop_Rec = 60;
    in.Now = now;
    in.Time_Of_Day = [] { return 0.5; };
    return in;
}

// ---- Recording interval ------------------------------------------------------------------------

struct Interval_Case {
    std::string Name;
    std::vector<int64_t> Pass_Periods;  // cycled: gaps between successive passes, ms
    int Frequence_Rec;
};

// Test names in failure messages instead of the case's bytes.
void PrintTo(const Interval_Case& c, std::ostream* out)
{
    *out << c.Name;
}

class Record_Interval : public ::testing::TestWithParam<Interval_Case> {};

TEST_P(Record_Interval, SavesAtTheFirstPassAfterMoreThanTheInterval)
{
    const Interval_Case& c = GetParam();
    T_Rec_Slot slot;
    std::vector<int64_t> saves;
    int64_t now = Start_Tick;
    int64_t longest_period = 0;
    for (int pass = 0; pass < 2000; ++pass) {
        T_Rec_Step_Input in = Input(Rec_Mode_Always, now);
        in.Frequence_Rec = c.Frequence_Rec;
        const T_Rec_Step_Output out = Record_Step(slot, in);
        EXPECT_EQ(out.Icon, Rec_Icon::Mod_Rec);
        if (out.Save_Now) {
            saves.push_back(now);
            EXPECT_EQ(slot.Tick_Rec, now);
        }
        const int64_t period = c.Pass_Periods[static_cast<std::size_t>(pass) % c.Pass_Periods.size()];
        longest_period = std::max(longest_period, period);
        now += period;
    }
    ASSERT_GE(saves.size(), 3u);
    EXPECT_EQ(saves.front(), Start_Tick) << "Tick_Rec starts at 0: the first pass saves";
    const int64_t interval = c.Frequence_Rec * 1000LL;
    for (std::size_t i = 1; i < saves.size(); ++i) {
        const int64_t gap = saves[i] - saves[i - 1];
        EXPECT_GT(gap, interval) << "save " << i;
        EXPECT_LE(gap, interval + longest_period) << "save " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Mode_1, Record_Interval,
    ::testing::Values(Interval_Case{"one_pass_per_second", {1000}, 5}, Interval_Case{"passes_of_50_ms", {50}, 5},
                      Interval_Case{"irregular_passes_around_one_second", {930, 1070, 1001, 999, 1100, 900}, 5},
                      Interval_Case{"interval_of_one_second_at_one_fps", {1000}, 1}),
    [](const auto& row) { return row.param.Name; });

TEST(Record_Interval_Exact, OneFpsWithIntervalFiveSavesEverySixSeconds)
{
    // 5000 ms is not "more than 5000 ms": the pass after it saves.
    T_Rec_Slot slot;
    std::vector<int64_t> saves;
    for (int64_t now = Start_Tick; now < Start_Tick + 30'000; now += 1000)
        if (Record_Step(slot, Input(Rec_Mode_Always, now)).Save_Now)
            saves.push_back(now - Start_Tick);
    EXPECT_EQ(saves, (std::vector<int64_t>{0, 6000, 12000, 18000, 24000}));
}

TEST(Record_Interval_Exact, FailedSaveIsRetriedOnlyOneIntervalLater)
{
    // The caller's save fails at the first pass; Tick_Rec was advanced before it, so the
    // passes that follow within the interval do not try again.
    T_Rec_Slot slot;
    ASSERT_TRUE(Record_Step(slot, Input(Rec_Mode_Always, Start_Tick)).Save_Now);
    EXPECT_FALSE(Record_Step(slot, Input(Rec_Mode_Always, Start_Tick + 1000)).Save_Now);
    EXPECT_FALSE(Record_Step(slot, Input(Rec_Mode_Always, Start_Tick + 5000)).Save_Now);
    EXPECT_TRUE(Record_Step(slot, Input(Rec_Mode_Always, Start_Tick + 5001)).Save_Now);
}

TEST(Record_Without_Folder, NothingIsSavedNoIconShowsAndTheRefusalComesOncePerInterval)
{
    struct Row {
        const char* name;
        int32_t mode;
        double k_motion;
        bool timer_window;  // mode 3: inside its window (else an empty window)
        bool due;           // a snapshot is due at the first pass, with a folder
    };
    const Row rows[] = {
        {"no record", Rec_Mode_None, 0, false, false},
        {"always", Rec_Mode_Always, 0, false, true},
        {"motion detected", Rec_Mode_Motion, 100, false, true},
        {"no motion", Rec_Mode_Motion, 0, false, false},
        {"inside the time window", Rec_Mode_Timer, 0, true, true},
        {"outside the time window", Rec_Mode_Timer, 0, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        T_Rec_Slot with_folder;
        T_Rec_Slot without_folder;
        for (int64_t now : {Start_Tick, Start_Tick + 1000, Start_Tick + 5001}) {
            T_Rec_Step_Input in = Input(row.mode, now, row.k_motion);
            if (!row.timer_window)
                in.Timer_Off = in.Timer_On;
            const T_Rec_Step_Output usual = Record_Step(with_folder, in);
            in.Folder_Usable = false;
            const T_Rec_Step_Output refused = Record_Step(without_folder, in);
            EXPECT_FALSE(usual.Refused);
            EXPECT_FALSE(refused.Save_Now);
            EXPECT_EQ(refused.Refused, usual.Save_Now) << now - Start_Tick;
            EXPECT_EQ(refused.Icon, Rec_Icon::None);
            EXPECT_EQ(refused.Show_Gauge, usual.Show_Gauge);
            EXPECT_EQ(without_folder.Rec_State, with_folder.Rec_State);
            EXPECT_EQ(without_folder.Tick_Rec, with_folder.Tick_Rec);
        }
        EXPECT_EQ(without_folder.Tick_Rec, row.due ? Start_Tick + 5001 : 0);
    }
}

// ---- Rounding and detection ---------------------------------------------------------------------

struct Rounding_Case {
    const char* Name;
    double Value;
    double Expected;
};

void PrintTo(const Rounding_Case& c, std::ostream* out)
{
    *out << c.Name;
}

class Round_Half_Even_Cases : public ::testing::TestWithParam<Rounding_Case> {};

TEST_P(Round_Half_Even_Cases, Rounds)
{
    EXPECT_EQ(Round_Half_Even(GetParam().Value), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Values, Round_Half_Even_Cases,
                         ::testing::Values(Rounding_Case{"half_below_even_goes_up", 49.5, 50},
                                           Rounding_Case{"half_above_even_goes_down", 50.5, 50},
                                           Rounding_Case{"zero_point_five", 0.5, 0},
                                           Rounding_Case{"one_point_five", 1.5, 2},
                                           Rounding_Case{"negative_half", -2.5, -2},
                                           Rounding_Case{"just_below_half", 49.49999999, 49},
                                           Rounding_Case{"just_above_half", 50.50000001, 51},
                                           Rounding_Case{"integer", 100, 100}, Rounding_Case{"huge", 1e300, 1e300}),
                         [](const auto& row) { return std::string(row.param.Name); });

struct Detection_Case {
    const char* Name;
    double K_Motion;
    double K_Detect;
    bool Detected;
};

void PrintTo(const Detection_Case& c, std::ostream* out)
{
    *out << c.Name;
}

class Motion_Detection : public ::testing::TestWithParam<Detection_Case> {};

TEST_P(Motion_Detection, ComparesRoundedLevelWithRoundedThreshold)
{
    const Detection_Case& c = GetParam();
    EXPECT_EQ(Motion_Detected(c.K_Motion, c.K_Detect), c.Detected);

    // The same decision drives the mode 2 step.
    T_Rec_Slot slot;
    T_Rec_Step_Input in = Input(Rec_Mode_Motion, Start_Tick, c.K_Motion);
    in.K_Detect = c.K_Detect;
    const T_Rec_Step_Output out = Record_Step(slot, in);
    EXPECT_EQ(slot.Rec_State, c.Detected ? Rec_State_Detected : Rec_State_Off);
    EXPECT_EQ(slot.Tick_Detect, c.Detected ? Start_Tick : 0);
    EXPECT_EQ(out.Save_Now, c.Detected);
    EXPECT_EQ(out.Icon, c.Detected ? Rec_Icon::Mod_RecDet : Rec_Icon::Mod_NoRec);
}

INSTANTIATE_TEST_SUITE_P(Thresholds, Motion_Detection,
                         ::testing::Values(Detection_Case{"level_49_5_reaches_50", 49.5, 50, true},
                                           Detection_Case{"level_50_5_misses_51", 50.5, 51, false},
                                           Detection_Case{"level_50_5_reaches_50", 50.5, 50, true},
                                           Detection_Case{"threshold_50_5_rounds_to_50", 50, 50.5, true},
                                           Detection_Case{"level_just_below", 49.49, 50, false},
                                           Detection_Case{"threshold_0_still_level", 0, 0, true},
                                           Detection_Case{"threshold_100_full_motion", 100, 100, true},
                                           Detection_Case{"threshold_101_full_motion", 100, 101, false},
                                           Detection_Case{"threshold_beyond_int_range", 100, 1e12, false},
                                           Detection_Case{"threshold_nan", 100,
                                                          std::numeric_limits<double>::quiet_NaN(), false},
                                           Detection_Case{"negative_threshold", 0, -5, true}),
                         [](const auto& row) { return std::string(row.param.Name); });

TEST(Motion_Gauge, ShownInModeTwoOnlyAtTheRoundedLevel)
{
    T_Rec_Slot slot;
    const T_Rec_Step_Output motion = Record_Step(slot, Input(Rec_Mode_Motion, Start_Tick, 49.5));
    EXPECT_TRUE(motion.Show_Gauge);
    EXPECT_EQ(motion.Gauge_Position, 50);
    EXPECT_EQ(Record_Step(slot, Input(Rec_Mode_Motion, Start_Tick, 50.5)).Gauge_Position, 50);
    EXPECT_EQ(Record_Step(slot, Input(Rec_Mode_Motion, Start_Tick, 100)).Gauge_Position, 100);
    for (int32_t mode : {Rec_Mode_None, Rec_Mode_Always, Rec_Mode_Timer, 7})
        EXPECT_FALSE(Record_Step(slot, Input(mode, Start_Tick, 80)).Show_Gauge) << "mode " << mode;
}

TEST(Motion_Gauge, ThresholdZeroDetectsAtEveryPassAboveHundredNever)
{
    T_Rec_Slot always;
    T_Rec_Slot never;
    for (int pass = 0; pass < 50; ++pass) {
        const int64_t now = Start_Tick + pass * 1000LL;
        T_Rec_Step_Input zero = Input(Rec_Mode_Motion, now, 0);
        zero.K_Detect = 0;
        Record_Step(always, zero);
        EXPECT_EQ(always.Tick_Detect, now);
        T_Rec_Step_Input above = Input(Rec_Mode_Motion, now, 100);
        above.K_Detect = 100.6;
        EXPECT_FALSE(Record_Step(never, above).Save_Now);
        EXPECT_EQ(never.Rec_State, Rec_State_Off);
    }
}

// ---- Mode 2: recording after motion -------------------------------------------------------------

TEST(Record_After_Motion, GoesOnForTheStopDelayAfterTheLastDetection)
{
    // Motion at every pass for the first 10 s, then none; one pass per second, interval 5 s,
    // stop delay 60 s.
    T_Rec_Slot slot;
    std::vector<int64_t> saves;
    int64_t stop_seen = -1;
    for (int64_t second = 0; second <= 100; ++second) {
        const int64_t now = Start_Tick + second * 1000;
        const double level = second <= 10 ? 80 : 3;
        const T_Rec_Step_Output out = Record_Step(slot, Input(Rec_Mode_Motion, now, level));
        EXPECT_TRUE(out.Show_Gauge);
        if (out.Save_Now)
            saves.push_back(second);
        if (second <= 70) {
            // 70 s is exactly 60 s after the last detection: not more, still recording.
            EXPECT_EQ(slot.Rec_State, Rec_State_Detected) << second;
            EXPECT_EQ(out.Icon, Rec_Icon::Mod_RecDet) << second;
        } else {
            EXPECT_EQ(slot.Rec_State, Rec_State_Off) << second;
            EXPECT_EQ(out.Icon, Rec_Icon::Mod_NoRec) << second;
            if (stop_seen < 0)
                stop_seen = second;
        }
    }
    EXPECT_EQ(stop_seen, 71);
    EXPECT_EQ(slot.Tick_Detect, Start_Tick + 10'000);
    EXPECT_EQ(saves, (std::vector<int64_t>{0, 6, 12, 18, 24, 30, 36, 42, 48, 54, 60, 66}));
}

TEST(Record_After_Motion, HugeStopDelayDoesNotOverflow)
{
    T_Rec_Slot slot;
    T_Rec_Step_Input in = Input(Rec_Mode_Motion, Start_Tick, 80);
    in.Delay_Stop_Rec = INT_MAX;
    Record_Step(slot, in);
    in.K_Motion = 0;
    in.Now = Start_Tick + 86'400'000;  // a day later
    Record_Step(slot, in);
    EXPECT_EQ(slot.Rec_State, Rec_State_Detected);
}

// ---- Mode 3: daily time window ------------------------------------------------------------------

struct Window_Case {
    const char* Name;
    double Timer_On;
    double Timer_Off;
    double Time_Of_Day;
    bool Recording;
};

void PrintTo(const Window_Case& c, std::ostream* out)
{
    *out << c.Name;
}

class Record_Time_Window : public ::testing::TestWithParam<Window_Case> {};

TEST_P(Record_Time_Window, RecordsInsideTheWindowOnly)
{
    const Window_Case& c = GetParam();
    T_Rec_Slot slot;
    T_Rec_Step_Input in = Input(Rec_Mode_Timer, Start_Tick);
    in.Timer_On = c.Timer_On;
    in.Timer_Off = c.Timer_Off;
    in.Time_Of_Day = [&c] { return c.Time_Of_Day; };
    const T_Rec_Step_Output out = Record_Step(slot, in);
    EXPECT_EQ(slot.Rec_State, c.Recording ? Rec_State_On : Rec_State_Waiting);
    EXPECT_EQ(out.Icon, c.Recording ? Rec_Icon::Mod_Rec : Rec_Icon::Mod_NoRec_Timer);
    EXPECT_EQ(out.Save_Now, c.Recording);
    EXPECT_FALSE(out.Show_Gauge);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, Record_Time_Window,
    ::testing::Values(
        Window_Case{"night_at_23_30", Day_Fraction(22, 0), Day_Fraction(6, 0), Day_Fraction(23, 30), true},
        Window_Case{"night_at_05_59", Day_Fraction(22, 0), Day_Fraction(6, 0), Day_Fraction(5, 59), true},
        Window_Case{"night_at_midnight", Day_Fraction(22, 0), Day_Fraction(6, 0), 0.0, true},
        Window_Case{"night_at_12_00", Day_Fraction(22, 0), Day_Fraction(6, 0), Day_Fraction(12, 0), false},
        Window_Case{"night_start_included", Day_Fraction(22, 0), Day_Fraction(6, 0), Day_Fraction(22, 0), true},
        Window_Case{"night_end_included", Day_Fraction(22, 0), Day_Fraction(6, 0), Day_Fraction(6, 0), true},
        Window_Case{"night_just_after_end", Day_Fraction(22, 0), Day_Fraction(6, 0), Day_Fraction(6, 0, 1), false},
        Window_Case{"night_just_before_start", Day_Fraction(22, 0), Day_Fraction(6, 0), Day_Fraction(21, 59, 59),
                    false},
        Window_Case{"day_at_12_00", Day_Fraction(8, 0), Day_Fraction(18, 0), Day_Fraction(12, 0), true},
        Window_Case{"day_at_07_59", Day_Fraction(8, 0), Day_Fraction(18, 0), Day_Fraction(7, 59), false},
        Window_Case{"day_at_23_00", Day_Fraction(8, 0), Day_Fraction(18, 0), Day_Fraction(23, 0), false},
        Window_Case{"seconds_window_start", Day_Fraction(12, 0, 0), Day_Fraction(12, 0, 5), Day_Fraction(12, 0, 0),
                    true},
        Window_Case{"seconds_window_end", Day_Fraction(12, 0, 0), Day_Fraction(12, 0, 5), Day_Fraction(12, 0, 5), true},
        Window_Case{"seconds_window_after", Day_Fraction(12, 0, 0), Day_Fraction(12, 0, 5), Day_Fraction(12, 0, 6),
                    false},
        Window_Case{"seconds_window_before", Day_Fraction(12, 0, 0), Day_Fraction(12, 0, 5), Day_Fraction(11, 59, 59),
                    false},
        Window_Case{"equal_ends_at_that_time", Day_Fraction(9, 0), Day_Fraction(9, 0), Day_Fraction(9, 0), false},
        Window_Case{"equal_ends_elsewhere", Day_Fraction(9, 0), Day_Fraction(9, 0), Day_Fraction(15, 0), false}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(Record_Time_Window_Clock, TimeOfDayIsReadAgainForEachComparison)
{
    // Window 12:00-14:24; the first read is inside the start, the second (after the window
    // closed meanwhile) is past the end: the step records nothing.
    std::vector<double> readings{0.55, 0.65};
    std::size_t reads = 0;
    T_Rec_Slot slot;
    T_Rec_Step_Input in = Input(Rec_Mode_Timer, Start_Tick);
    in.Timer_On = 0.5;
    in.Timer_Off = 0.6;
    in.Time_Of_Day = [&] { return readings[std::min(reads++, readings.size() - 1)]; };
    EXPECT_FALSE(Record_Step(slot, in).Save_Now);
    EXPECT_EQ(reads, 2u);
    EXPECT_EQ(slot.Rec_State, Rec_State_Waiting);
}

// ---- Mode changes and unknown modes -------------------------------------------------------------

struct Transition_Case {
    const char* Name;
    int From_State;
    int32_t Mode;
    int To_State;
    Rec_Icon Icon;
};

void PrintTo(const Transition_Case& c, std::ostream* out)
{
    *out << c.Name;
}

class Rec_State_Transition : public ::testing::TestWithParam<Transition_Case> {};

TEST_P(Rec_State_Transition, FromAnyState)
{
    const Transition_Case& c = GetParam();
    T_Rec_Slot slot;
    slot.Rec_State = c.From_State;
    slot.Tick_Detect = Start_Tick - 100'000;  // the last detection is long past
    T_Rec_Step_Input in = Input(c.Mode, Start_Tick, 0);
    in.Timer_On = 0.1;  // a window that the time of day (12:00) lies outside
    in.Timer_Off = 0.2;
    const T_Rec_Step_Output out = Record_Step(slot, in);
    EXPECT_EQ(slot.Rec_State, c.To_State);
    EXPECT_EQ(out.Icon, c.Icon);
    EXPECT_EQ(out.Save_Now, c.To_State == Rec_State_On || c.To_State == Rec_State_Detected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Rec_State_Transition,
    ::testing::Values(
        Transition_Case{"mode_0_stops_detected", Rec_State_Detected, Rec_Mode_None, Rec_State_Off, Rec_Icon::None},
        Transition_Case{"mode_0_stops_recording", Rec_State_On, Rec_Mode_None, Rec_State_Off, Rec_Icon::None},
        Transition_Case{"mode_1_from_off", Rec_State_Off, Rec_Mode_Always, Rec_State_On, Rec_Icon::Mod_Rec},
        Transition_Case{"mode_1_from_waiting", Rec_State_Waiting, Rec_Mode_Always, Rec_State_On, Rec_Icon::Mod_Rec},
        Transition_Case{"mode_2_old_detection_stops", Rec_State_Detected, Rec_Mode_Motion, Rec_State_Off,
                        Rec_Icon::Mod_NoRec},
        Transition_Case{"mode_2_stops_state_of_mode_1", Rec_State_On, Rec_Mode_Motion, Rec_State_Off,
                        Rec_Icon::Mod_NoRec},
        Transition_Case{"mode_3_outside_from_recording", Rec_State_On, Rec_Mode_Timer, Rec_State_Waiting,
                        Rec_Icon::Mod_NoRec_Timer},
        Transition_Case{"unknown_mode_keeps_off", Rec_State_Off, 7, Rec_State_Off, Rec_Icon::None},
        Transition_Case{"unknown_mode_keeps_recording", Rec_State_On, -1, Rec_State_On, Rec_Icon::Mod_Rec}),
    [](const auto& row) { return std::string(row.param.Name); });

}  // namespace
