#include "platform/Regional.h"

#include <QLocale>

char Regional_Decimal_Separator()
{
    const QString point = QLocale::system().decimalPoint();
    // A separator outside ASCII (some locales use U+066B) cannot stand in a one-byte
    // position of the settings files; the point is then used.
    if (point.size() == 1 && point.at(0).unicode() < 0x80)
        return static_cast<char>(point.at(0).unicode());
    return '.';
}
