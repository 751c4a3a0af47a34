#pragma once
// The program-wide objects of the application, alive from load to program end.

// Route the message log into the log window.
extern bool use_log_window;

// A service build would let a unit with a blank product record be upgraded; this
// program is not one.
constexpr bool have_service_build()
{
    return false;
}
