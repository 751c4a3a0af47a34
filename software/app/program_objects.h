#pragma once
// The program-wide objects of the application, alive from load to program end.

#include "files/build_constants.h"

// Route the message log into the log window.
extern bool use_log_window;
