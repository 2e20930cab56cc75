#pragma once
#include <optional>
#include <string>
#include <vector>

// The camera's mirror state as its parameter answer gives it: in every line holding "flip="
// (case-sensitive), the one character right after it read with Text_To_Int (a non-digit, or no
// character at all, gives 0); the last such line counts. nullopt when no line holds "flip=".
std::optional<int> Current_Flip(const std::vector<std::string>& lines);

// The value to write back: current with the given bit (1 vertical, 2 horizontal) inverted.
int Toggled_Flip(int current, int bit);
