#pragma once
// Builds the tool's window from the GUI settings.

class MainWindow;
class QWidget;

namespace Settings {
struct Settings;
}

// Ends the program with a fatal message when the settings have no "status_noDev" text.
MainWindow* MainWindow_factory(const Settings::Settings* settings, QWidget* parent, bool simulator);
