#include "control/Flip_State.h"

#include "util/U_Lib_Util_Vesk.h"

std::optional<int> Current_Flip(const std::vector<std::string>& lines)
{
    static const std::string Key = "flip=";
    std::optional<int> current;
    for (const std::string& line : lines) {
        const std::size_t at = line.find(Key);
        if (at == std::string::npos)
            continue;
        const std::size_t value_at = at + Key.size();
        current = Text_To_Int(line.substr(value_at, 1));
    }
    return current;
}

int Toggled_Flip(int current, int bit)
{
    return current ^ bit;
}
