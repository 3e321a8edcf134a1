#pragma once
// The desktop program's run: the start-up in the order the program has always kept
// (banner, command line, document with its connection check, the file, the main window
// and its placement), the command-line job with the window, the exit watch, and the
// exit code from the result bits.

namespace vantor::gui {

class CPlimoApp {
public:
    // Runs the program on the QApplication that exists; returns the exit code.
    int run();
};

}  // namespace vantor::gui
