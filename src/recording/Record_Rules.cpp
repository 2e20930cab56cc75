#include "recording/Record_Rules.h"

#include <cmath>

const char* Rec_Icon_Name(Rec_Icon icon)
{
    switch (icon) {
    case Rec_Icon::Mod_NoRec: return "IMG_Mod_NoRec";
    case Rec_Icon::Mod_Rec: return "IMG_Mod_Rec";
    case Rec_Icon::Mod_RecDet: return "IMG_Mod_RecDet";
    case Rec_Icon::Mod_NoRec_Timer: return "IMG_Mod_NoRec_Timer";
    case Rec_Icon::None: break;
    }
    return "";
}

double Round_Half_Even(double value)
{
    if (!std::isfinite(value))
        return value;
    // std::round takes halves away from zero; an exact half goes to the even neighbour instead.
    // value - trunc(value) is exact for every double, so the half test is exact too.
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return std::round(value);
}

bool Motion_Detected(double k_motion, double k_detect)
{
    // Compared as rounded doubles, not as ints: a threshold far beyond the int range (or NaN)
    // read from a settings file must not wrap around into "always".
    return Round_Half_Even(k_motion) >= Round_Half_Even(k_detect);
}

bool In_Time_Window(double timer_on, double timer_off, const std::function<double()>& time_of_day)
{
    if (timer_on < timer_off)
        return timer_on <= time_of_day() && time_of_day() <= timer_off;
    if (timer_on > timer_off)  // across midnight
        return time_of_day() >= timer_on || time_of_day() <= timer_off;
    return false;  // equal ends (or a NaN end): empty window
}

namespace {

// "More than seconds have passed from since to now", on the monotonic tick.
bool More_Than_Elapsed(int64_t now, int64_t since, int seconds)
{
    return now - since > static_cast<int64_t>(seconds) * 1000;
}

int Gauge_Position_For(double k_motion)
{
    const double position = Round_Half_Even(k_motion);
    if (!(position > 0))  // also NaN
        return 0;
    return position > 100 ? 100 : static_cast<int>(position);
}

}  // namespace

T_Rec_Step_Output Record_Step(T_Rec_Slot& slot, const T_Rec_Step_Input& in)
{
    T_Rec_Step_Output out;

    switch (in.Valide_Record) {
    case Rec_Mode_None: slot.Rec_State = Rec_State_Off; break;
    case Rec_Mode_Always: slot.Rec_State = Rec_State_On; break;
    case Rec_Mode_Motion:
        out.Show_Gauge = true;
        out.Gauge_Position = Gauge_Position_For(in.K_Motion);
        out.Icon = Rec_Icon::Mod_NoRec;
        if (Motion_Detected(in.K_Motion, in.K_Detect)) {
            slot.Rec_State = Rec_State_Detected;
            slot.Tick_Detect = in.Now;
        }
        // NOTE: only the stop is tested here; a state left by another mode (1 after switching
        // from mode 1) stays until the stop delay since the last detection has passed.
        if (More_Than_Elapsed(in.Now, slot.Tick_Detect, in.Delay_Stop_Rec))
            slot.Rec_State = Rec_State_Off;
        break;
    case Rec_Mode_Timer:
        slot.Rec_State = Rec_State_Waiting;
        out.Icon = Rec_Icon::Mod_NoRec_Timer;
        if (in.Time_Of_Day && In_Time_Window(in.Timer_On, in.Timer_Off, in.Time_Of_Day))
            slot.Rec_State = Rec_State_On;
        break;
    default: break;  // unknown mode: the state stays as it was
    }

    if (slot.Rec_State == Rec_State_On || slot.Rec_State == Rec_State_Detected) {
        out.Icon = slot.Rec_State == Rec_State_On ? Rec_Icon::Mod_Rec : Rec_Icon::Mod_RecDet;
        if (More_Than_Elapsed(in.Now, slot.Tick_Rec, in.Frequence_Rec)) {
            slot.Tick_Rec = in.Now;
            if (in.Folder_Usable)
                out.Save_Now = true;
            else
                out.Refused = true;
        }
    }
    if (!in.Folder_Usable)
        out.Icon = Rec_Icon::None;  // nothing can be recorded: no icon says otherwise
    return out;
}
