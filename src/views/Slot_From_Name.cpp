#include "views/Slot_From_Name.h"

#include "util/U_Lib_Util_Vesk.h"

#include <QObject>

int Slot_From_Name(const std::string& name)
{
    if (name.empty())
        return 0;
    const int32_t slot = Text_To_Int(name.substr(name.size() - 1));
    return slot >= 1 && slot <= 9 ? slot : 0;
}

int Slot_From_Name(const QObject* sender)
{
    return sender ? Slot_From_Name(sender->objectName().toStdString()) : 0;
}
