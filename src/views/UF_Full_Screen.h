#pragma once
#include <QWidget>

// F_Full_Screen: one camera over the whole screen. Hidden until a grid panel is double-clicked.
class TF_Full_Screen : public QWidget {
    Q_OBJECT
public:
    explicit TF_Full_Screen(QWidget* owner = nullptr);
};
