#pragma once
// The program-wide objects of the application, alive from load to program end. The two
// machines, sm_A and sm_B, are declared with the upgrade control.

#include "files/build_constants.h"
#include "gui/log_window.h"
#include "gui/main_window.h"
#include "gui/settings.h"

#include <QPointer>

extern Settings::Settings settings;
// Neither object is deleted by the program; the guarded pointers read as null once Qt
// has destroyed them.
extern QPointer<MainWindow> mainWindow;
extern QPointer<LogWindow> logWindow;

// Route the message log into the log window.
extern bool use_log_window;
