#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pelvorn {

// What both Linux programs (Pelvorn and its Qt front end) do first: closed
// standard streams are reopened on /dev/null, a reader that went away shows
// as a failed write rather than a signal, and RunConsoleStart answers
// --help, --version, the rotator option and the console tools, with the
// decimal separator of ConsoleNumberLocale. Returns the exit status when the
// program is done with that, else nothing; the rotator option is then off
// the front of `arguments`, and `rotatorAddress` names the rotator chosen by
// it or by the settings file (nullopt: none).
std::optional<int> StartProgram(std::vector<std::string>& arguments, std::optional<std::string>& rotatorAddress);

}  // namespace pelvorn
