#pragma once
#include <QComboBox>

// A drop-down list (no free text) that tells when its list is about to open.
//
// Drop_Down is emitted by showPopup() BEFORE the list opens, however it is opened (mouse, F4,
// Alt+Down), so a handler can commit what the user typed elsewhere before another item can be
// chosen. If a handler destroys the list, the list does not open.
class Drop_Down_List : public QComboBox {
    Q_OBJECT
public:
    explicit Drop_Down_List(QWidget* parent = nullptr);

    void showPopup() override;

signals:
    void Drop_Down();
};
