#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pelvorn {

// What both Linux programs (Pelvorn and its Qt front end) do first: closed
// standard streams are reopened on /dev/null, a reader that went away shows
// as a failed write rather than a signal, and --help, --version and the
// rotator option are answered; the rotator option is taken off the front of
// `arguments`. Returns the exit status when the program is done with that
// (help, version, an unusable --rotator), else nothing.
std::optional<int> StartProgram(std::vector<std::string>& arguments);

}  // namespace pelvorn
