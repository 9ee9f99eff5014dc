#pragma once

#include <optional>
#include <string>

namespace pelvorn {

// Starts the program for `commandLine` (the arguments joined by blanks):
// chooses the display or the console, creates the application, parses the
// command line once and runs the start-up. `programPath` is argv[0];
// `rotatorAddress` names the configured rotator, if any. Returns the exit
// status.
int StartWithQt(char* programPath, const std::u16string& commandLine,
                const std::optional<std::string>& rotatorAddress);

}  // namespace pelvorn
