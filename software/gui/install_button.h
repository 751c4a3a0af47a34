#pragma once
// The one button the user clicks to write the firmware.

#include <QPushButton>

class InstallButton : public QPushButton {
    Q_OBJECT

public:
    explicit InstallButton(QWidget* parent);
};
