// Builds the main window from the settings text in the file named by the first argument,
// in a process of its own, so that a test can watch the window factory end the program.

#include "gui/main_window_factory.h"
#include "gui/settings.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Settings::Settings settings;
    settings.gui = Settings::GUI(Settings::load_settings_file(app.arguments().value(1)));
    settings.desired_FW_type = Device::WREN;
    settings.desired_FW_revision = QStringLiteral("C2");
    MainWindow_factory(&settings, nullptr, false);
    std::printf("window built\n");
    return 0;
}
