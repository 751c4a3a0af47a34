# Tests of the settings file, main window, button, bar and circles.
