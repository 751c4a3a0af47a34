#pragma once

#include <QString>

class QApplication;

// Joins the window, the upgrade machine and the log window. The handlers read the
// program-wide objects when they run, not when they are connected.
void add_connections(QApplication* app);

// The status text for the connected unit with its firmware revision, or with an unknown
// revision when its firmware was not accepted.
QString revision_status();
