#pragma once
// The window's labels, made from the label entries of the GUI settings.

class MainWindow;

namespace Settings {
struct Settings;
}

// Factor from a label's "size" to font pixels; 0 until the first sized label needs it.
extern double fontPixelScale;

void add_labels(const Settings::Settings* settings, MainWindow* window, bool simulator);
