#pragma once

#include <windows.h>

namespace pelvorn::win32 {

// The console control handler CatchStopRequests installs; every event sets
// the stop flag. Ctrl+C and Ctrl+Break are then handled and the program
// runs on until its loop sees the flag. Closing the console, logging off
// and shutting down end the process as soon as a handler returns, so for
// those it never returns: the loop ends, prints what it has to print, and
// the program's exit ends this thread with the program's status (Windows
// ends the process after about 5 s if the loop does not).
BOOL WINAPI OnConsoleControl(DWORD event);

}  // namespace pelvorn::win32
