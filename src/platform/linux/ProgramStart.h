#pragma once

#include "console/ConsoleStart.h"

#include <string>
#include <vector>

namespace pelvorn {

// What both Linux programs (Pelvorn and its Qt front end) do first: closed
// standard streams are reopened on /dev/null, a reader that went away shows
// as a failed write rather than a signal, and RunConsoleStart answers
// --help, --version, the rotator option and the console tools, with the
// decimal separator of ConsoleNumberLocale. Returns what is to start.
StartRequest StartProgram(const std::vector<std::string>& arguments);

}  // namespace pelvorn
