#pragma once
// The recording rules of one camera slot, as a pure state machine: mode, motion level,
// threshold, time window, intervals and the monotonic tick go in; the slot's recording state,
// the status icon, the motion gauge and whether a snapshot is due come out. No Qt, no clock of
// its own, no file access: the refresh pass supplies the readings and does the saving.

#include <cstdint>
#include <functional>

// Which status icon template the slot's IMG_Status_RecN shows. None: the icon stays hidden.
enum class Rec_Icon { None, Mod_NoRec, Mod_Rec, Mod_RecDet, Mod_NoRec_Timer };

// Object name of the template picture for icon ("IMG_Mod_Rec", ...); "" for Rec_Icon::None.
const char* Rec_Icon_Name(Rec_Icon icon);

// Recording states kept in T_Rec_Slot::Rec_State.
inline constexpr int Rec_State_Off = 0;       // not recording
inline constexpr int Rec_State_On = 1;        // recording (mode 1, or mode 3 inside the window)
inline constexpr int Rec_State_Detected = 2;  // recording after a motion detection (mode 2)
inline constexpr int Rec_State_Waiting = 3;   // mode 3, outside the time window

// Recording modes of T_Cam::Valide_Record. Any other value leaves Rec_State as it was.
inline constexpr int Rec_Mode_None = 0;
inline constexpr int Rec_Mode_Always = 1;
inline constexpr int Rec_Mode_Motion = 2;
inline constexpr int Rec_Mode_Timer = 3;

// Per-slot runtime state. Ticks are milliseconds of a monotonic clock counting from system
// start, so their initial 0 lies long before the first pass and the first interval is over.
struct T_Rec_Slot {
    int Rec_State = Rec_State_Off;
    int64_t Tick_Detect = 0;  // tick of the last pass whose level reached the threshold
    int64_t Tick_Rec = 0;     // tick of the last snapshot that was due (saved or failed)
};

struct T_Rec_Step_Input {
    int32_t Valide_Record = 0;  // recording mode
    double K_Motion = 0;        // motion level of the picture shown, percent
    double K_Detect = 0;        // detection threshold, percent
    double Timer_On = 0;        // fractions of a day; the window includes both ends
    double Timer_Off = 0;
    int Frequence_Rec = 5;    // recording interval, seconds
    int Delay_Stop_Rec = 60;  // recording time after the last detection, seconds
    int64_t Now = 0;          // monotonic tick of this step, milliseconds
    // Current local time of day as a fraction of a day. Read afresh at every comparison with
    // the window's ends (only in mode 3), so it is the wall clock, not the pass's reading.
    // Left empty, mode 3 stays outside the window.
    std::function<double()> Time_Of_Day;
    // Is_Record_Folder of the destination folder. When false no snapshot is saved and no status
    // icon shows, whatever the mode; the state machine runs on as usual.
    bool Folder_Usable = true;
};

struct T_Rec_Step_Output {
    bool Show_Gauge = false;  // PGB_Detect_CamN visible (mode 2 only)
    int Gauge_Position = 0;   // 0..100, the level taken to the nearest integer
    Rec_Icon Icon = Rec_Icon::None;
    bool Save_Now = false;  // a snapshot is due in this pass
    bool Refused = false;   // a snapshot was due, but the folder is not usable: nothing to save
};

// One recording step for a slot whose picture is shown in this pass. Updates slot.Rec_State
// and slot.Tick_Detect; when a snapshot is due sets Save_Now (Refused instead when the folder
// is not usable) and advances slot.Tick_Rec to in.Now first, so a save that then fails, or a
// refusal, comes again only after the next interval.
// The caller shows the gauge and the icon before it saves, since a failed save ends its pass.
// Intervals are "more than" tests on elapsed ticks: a snapshot is due when
// Now - Tick_Rec > Frequence_Rec * 1000, recording after motion ends when
// Now - Tick_Detect > Delay_Stop_Rec * 1000.
T_Rec_Step_Output Record_Step(T_Rec_Slot& slot, const T_Rec_Step_Input& in);

// value taken to the nearest integer, halves going to the even neighbour (49.5 -> 50,
// 50.5 -> 50, -2.5 -> -2), independent of the floating-point rounding mode. NaN and
// infinities come back unchanged.
double Round_Half_Even(double value);

// True when the level of a picture counts as a detection for the threshold: both taken to
// the nearest integer (halves to even), level >= threshold. A threshold of 0 detects at every
// level 0..100; one above 100 never does; a NaN on either side never does.
bool Motion_Detected(double k_motion, double k_detect);

// True when the daily window [timer_on, timer_off] contains the time of day; both ends
// included, a window with timer_on > timer_off runs across midnight, equal ends give an empty
// window. time_of_day is called once per comparison made.
bool In_Time_Window(double timer_on, double timer_off, const std::function<double()>& time_of_day);
