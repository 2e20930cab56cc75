#include "widgets/Modal_Windows.h"

#include <QApplication>
#include <QWidget>

void Close_Modal_Windows()
{
    // A close takes the window off the modal stack. One that stays there, or a chain of windows
    // that each open another one when closed, ends the loop instead of spinning.
    constexpr int Most_Windows = 32;
    QWidget* previous = nullptr;
    for (int closed = 0; closed < Most_Windows; ++closed) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == previous || !modal->close())
            return;
        previous = modal;
    }
}
