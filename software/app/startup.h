#pragma once
// Start-up and shut-down of the tool, in their fixed order.

class QCoreApplication;

// Defines and evaluates the command-line options; sets simulator::use and use_log_window.
void parse_arguments(QCoreApplication* app);

// Everything from option parsing to the point where the event loop takes over.
void GUI_init();

// After the event loop: stops and deletes what start-up made. Returns `exec_result`.
int GUI_cleanup(int exec_result);
