#include "gui/install_button.h"

#include <QDebug>

InstallButton::InstallButton(QWidget* parent) : QPushButton(parent)
{
    setFlat(false);
    setEnabled(true);
    setMinimumHeight(30);
    setObjectName(QStringLiteral("GUI_8"));
    // Written before the upgrade state machine hears of the click.
    connect(this, &QPushButton::clicked, [] { qInfo() << "Install clicked"; });
}
