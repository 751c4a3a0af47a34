#include "app/program_objects.h"

Settings::Settings settings;
QPointer<MainWindow> mainWindow;
QPointer<LogWindow> logWindow;
bool use_log_window = false;
