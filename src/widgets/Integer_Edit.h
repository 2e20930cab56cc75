#pragma once
#include "widgets/Text_Edit.h"

// An edit for a whole number: typing is limited to an optional leading "-" followed by digits
// (11 characters at most), and pasted text that does not fit is refused. Same signals and Enter
// option as Text_Edit.
class Integer_Edit : public Text_Edit {
    Q_OBJECT
public:
    explicit Integer_Edit(QWidget* parent = nullptr);

    // The text read as the program reads typed integers: empty, "-" or a value outside the 32-bit
    // range give 0.
    int Value() const;
    // Shows `value` in plain decimal.
    void Set_Value(int value);
};
