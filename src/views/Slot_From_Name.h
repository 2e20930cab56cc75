#pragma once
#include <string>

class QObject;

// The camera slot a shared handler's sender stands for: the last character of its name read as an integer
// (a character that is no digit reads 0). 1..9, or 0 for any name that does not end in 1..9.
int Slot_From_Name(const std::string& name);
int Slot_From_Name(const QObject* sender);
