#include "update/Version_Rules.h"

#include "util/U_Lib_Util_Vesk.h"

namespace {
constexpr std::size_t Version_Text_Length = 4;
}  // namespace

double Version_Value(const std::string& text)
{
    if (text.empty())
        return 0.0;
    return Text_To_Float(text.substr(1));
}

bool Is_Newer(const std::string& available, const std::string& own)
{
    if (available.empty() || own.empty() || available == own)
        return false;
    return Version_Value(available) > Version_Value(own);
}

std::string Version_Text_From_Body(const std::string& body)
{
    return body.substr(0, Version_Text_Length);
}
