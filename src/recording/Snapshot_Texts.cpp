#include "recording/Snapshot_Texts.h"

#include "util/U_Lib_Util_Vesk.h"

namespace {

const std::string Caption_Head = "Tambrel | ";
const std::string Alias_End = " | ";

}  // namespace

std::string Caption_Text(const std::string& alias, const Local_Date_Time& now)
{
    return Caption_Head + alias + Alias_End + Zero_Padded(now.Day, 2) + "/" + Zero_Padded(now.Month, 2) + "/" +
           Zero_Padded(now.Year, 4) + "  " + Zero_Padded(now.Hour, 2) + ":" + Zero_Padded(now.Minute, 2) + ":" +
           Zero_Padded(now.Second, 2);
}

std::string Caption_Height_Sample(const std::string& alias)
{
    return Caption_Head + alias + Alias_End + "25/11/2014  22:11:00";
}

std::string Caption_Width_Sample(const std::string& alias)
{
    return Caption_Head + alias + Alias_End + "(25/11/2014  22:11:00";
}
