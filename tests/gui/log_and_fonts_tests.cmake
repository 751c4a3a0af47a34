# Tests of the fonts and the log window.
