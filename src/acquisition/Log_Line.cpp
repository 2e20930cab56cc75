#include "acquisition/Log_Line.h"

#include "util/U_Lib_Util_Vesk.h"

namespace {

const std::string Degree = "\xC2\xB0";  // the degree sign of "N°"

std::string Thread_Cam(const std::string& stamp, int slot)
{
    return stamp + " | Thread CAM N" + Degree + Int_To_Text(slot, 0);
}

}  // namespace

std::string Log_Stamp(const Local_Date_Time& now)
{
    return Zero_Padded(now.Hour, 2) + ":" + Zero_Padded(now.Minute, 2) + ":" + Zero_Padded(now.Second, 2) + "_" +
           Zero_Padded(now.Millisecond, 3);
}

std::string Log_Line_Shown(const std::string& stamp, int slot, int64_t time_requested, const std::string& url)
{
    const int32_t shown_time = static_cast<int32_t>(time_requested > INT32_MAX ? INT32_MAX : time_requested);
    return Thread_Cam(stamp, slot) + " | Time requested : " + Pad_Left(Int_To_Text(shown_time, 0), 6, ' ') +
           "ms | URL : " + "\"" + url + "\"" + "\r";
}

std::string Log_Line_Not_Connected(const std::string& stamp, int slot, const std::string& url)
{
    return Thread_Cam(stamp, slot) + " | NOT CONNECTED TO NETWORK! | URL : " + "\"" + url + "\"" + "\r";
}

std::string Log_Line_Note(const std::string& stamp, int slot, const std::string& note)
{
    return Thread_Cam(stamp, slot) + " | " + note + "\r";
}
