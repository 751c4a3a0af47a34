#pragma once
// Finds a top-level window by title on an X display and asks it to close, as a window
// manager's close button does (WM_DELETE_WINDOW).

#include <QString>

namespace x11 {

// True when a window with exactly this title exists on `display`.
bool has_window(const QString& display, const QString& title);

// Sends WM_DELETE_WINDOW to the window with this title; false when there is none.
bool close_window(const QString& display, const QString& title);

}  // namespace x11
