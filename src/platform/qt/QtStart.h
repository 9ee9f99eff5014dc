#pragma once

#include "follow/FollowTool.h"

#include <optional>
#include <string>

namespace pelvorn {

// Starts the program for `commandLine` (the arguments joined by blanks):
// chooses the display or the console, creates the application, parses the
// command line once and runs the start-up. `programPath` is argv[0];
// `rotatorAddress` names the configured rotator, if any. With `follow`, the
// window follows WSJT-X (--follow --window). Returns the exit status.
int StartWithQt(char* programPath, const std::u16string& commandLine,
                const std::optional<std::string>& rotatorAddress, const follow::FollowCommand* follow = nullptr);

}  // namespace pelvorn
