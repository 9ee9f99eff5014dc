#pragma once

#include "common/Arguments.h"
#include "common/NumberLocale.h"
#include "follow/FollowTool.h"

#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The command-line tools that run without a window, guard or clipboard:
//   --follow [ADDRESS:PORT] ... follow WSJT-X (follow/FollowTool.h)
//   --adif FILE ...             check (and complete) an ADIF log
//   --edi FILE [--fix OUT]      check (and correct) the QSO points of an EDI log
//   --batch [--tsv] [FILE...]   every line of FILE (or standard input) is a command line
//   --map OUT ... COMMANDLINE   the map of one pair (console/MapCommand.h)
//   --tsv COMMANDLINE           the TSV line for one command line

namespace pelvorn {

// What a tool runs with.
struct ToolContext {
  const NumberLocale& locale;
  const std::optional<std::string>& rotatorAddress;  // the option's or the settings file's
  std::FILE* in;
  std::FILE* out;
  std::FILE* err;
};

struct ToolOutcome {
  std::string reason;  // German: the call is wrong (the usage line follows, status 2); else empty
  int status = 0;
  std::optional<follow::FollowCommand> followingWindow = {};  // --follow --window: the window is to follow
};

struct ConsoleTool {
  std::string_view trigger;                // the option that selects the tool
  std::span<const OptionRule> options;     // every option it takes, the trigger among them (and
                                           // --rotator for a tool that turns the antenna)
  std::string_view usage;                  // the usage line after a reason
  ToolOutcome (*run)(const ReadOptions& read, const ToolContext& context);
};

// The tools in priority order: the first whose trigger stands among the
// options runs.
std::span<const ConsoleTool> ConsoleTools();

}  // namespace pelvorn
