#pragma once

#include "common/NumberLocale.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// The command-line tools that run without a window, guard or clipboard:
//   --batch [--tsv] [FILE...]   every line of FILE (or standard input) is a command line
//   --tsv COMMANDLINE           the TSV line for one command line
//   --edi FILE [--fix OUT]      check (and correct) the QSO points of an EDI log
//   --follow [ADDRESS:PORT] ... follow WSJT-X (follow/FollowTool.h)

namespace pelvorn {

// Returns the exit status when `arguments` (the program's arguments after
// its name, UTF-8) ask for one of the tools, after running it with `in`,
// `out` and `err` as standard input, output and error; returns nothing
// when they do not, and the program starts as usual. `rotatorAddress` is
// the configured rotator (only the WSJT-X follower turns it).
std::optional<int> RunConsoleTool(const std::vector<std::string>& arguments, const NumberLocale& locale,
                                  const std::optional<std::string>& rotatorAddress, std::FILE* in, std::FILE* out,
                                  std::FILE* err);

}  // namespace pelvorn
