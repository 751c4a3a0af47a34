# Fonts and the log window.
