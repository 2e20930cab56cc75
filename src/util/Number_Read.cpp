// Texts to numbers: Text_To_Float and Text_To_Int, for what the user types or a camera returns.
#include "util/Decimal_Syntax.h"
#include "util/U_Lib_Util_Vesk.h"

double Text_To_Float(const std::string& text)
{
    try {
        const std::string cleaned = Replace_All(Remove_Spaces(text), ",", ".");
        const auto number = Match_Decimal_Number(cleaned, '.');
        if (!number)
            return 0;
        return Decimal_To_Double(*number).value_or(0);
    } catch (...) {
        return 0;
    }
}

int32_t Text_To_Int(const std::string& text)
{
    try {
        const std::string cleaned = Remove_Spaces(text);
        const auto number = Match_Decimal_Number(cleaned, '.');
        if (!number)
            return 0;
        return Decimal_Truncated_To_Int32(*number).value_or(0);
    } catch (...) {
        return 0;
    }
}
