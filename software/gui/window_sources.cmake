# Settings file, main window, install button and progress bar, marker circles.
