#pragma once
#include "widgets/Caption_Panel.h"

#include <string>

class QPlainTextEdit;
class QPushButton;

// PNL_Visue_Expert, the floating "Log display" panel: a bar with "Start", "Stop" (one group: pressing one
// releases the other, a pressed one stays pressed) and "Exit", and below it the read-only request log.
// The main window's handlers give the buttons their meaning.
class Log_Panel : public Caption_Panel {
    Q_OBJECT
public:
    // The log keeps at most this many lines; older ones are dropped as new ones arrive, so a long run at
    // 180 lines a second never grows without bound.
    static constexpr int Max_Lines = 20000;

    explicit Log_Panel(QWidget* parent = nullptr);

    QWidget* PNL_BTN_Log_Display = nullptr;
    QPushButton* BTN_Start_Log_PNL = nullptr;
    QPushButton* BTN_Stop_Log_PNL = nullptr;
    QPushButton* BTN_Exit_Log = nullptr;
    QPlainTextEdit* MMO_Log_Display = nullptr;

    // Appends one entry; a carriage return that ends it ends its line. Cheap: no rewrite of the text.
    void Append_Line(const std::string& line);

    // Presses or releases "Start" (releasing it leaves "Stop" as it is).
    void Set_Start_Pressed(bool pressed);
};
