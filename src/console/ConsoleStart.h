#pragma once

#include "common/NumberLocale.h"
#include "follow/FollowTool.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// What every program of Pelvorn (the two Linux programs and Pelvorn.exe)
// does with its arguments before any window exists. No toolkit.

namespace pelvorn {

// Returns `arguments` joined by single blanks: the one command line the
// program reads, as the original read its command line.
std::string JoinArguments(const std::vector<std::string>& arguments);

// The standard streams of a console run. On Windows a stream may be missing
// (null): what would be written to it is then lost.
struct ConsoleStreams {
  std::FILE* in = nullptr;
  std::FILE* out = nullptr;
  std::FILE* err = nullptr;
};

// What is to start once the arguments are read.
struct StartRequest {
  std::optional<int> status;  // the program is done: end with this status
  // Else the window or the hidden run, with this ";" command line ...
  std::string commandLine;
  // ... and the rotator chosen by --rotator or the settings file (nullopt: none);
  std::optional<std::string> rotatorAddress;
  // or, with this, the window following WSJT-X (--follow --window).
  std::optional<follow::FollowCommand> followingWindow;
};

// Reads the program's `arguments` (after its name, UTF-8). Options stand
// anywhere before "--", as --opt value or --opt=value. --help and
// --version print their text on `streams.out`. The first of the console
// tools (ConsoleTool.h) whose option is given runs with `locale`, or
// gives its German reason and usage line on `streams.err`; a tool that
// does not turn the antenna refuses --rotator. Without a tool, --rotator
// is taken out wherever it stands and the rest, joined by blanks, is the
// window's command line. An unusable --rotator ends the program with
// ExitRotatorFailed. On Windows a missing stream runs no tool.
StartRequest RunConsoleStart(const std::vector<std::string>& arguments, const NumberLocale& locale,
                             const ConsoleStreams& streams);

}  // namespace pelvorn
