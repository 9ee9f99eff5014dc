#pragma once

#include <QString>

namespace pelvorn {

class Platform;

// Loads the window (which runs the single-instance guard), shows it and
// runs the event loop until the program ends. Returns the exit status.
// Needs a QApplication.
int Main(Platform& platform);

// Starts the program for `commandLine` (the arguments joined by blanks):
// chooses the display or the console, creates the application and runs
// Main. `programPath` is argv[0].
int Start(char* programPath, const QString& commandLine);

}  // namespace pelvorn
