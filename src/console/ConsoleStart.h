#pragma once

#include "common/NumberLocale.h"

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

// Answers --help and --version on `streams.out`, takes a --rotator option
// off the front of `arguments` (an unusable one is reported on
// `streams.err`) and runs the console tools (--batch, --tsv, --edi) with
// `locale`. `arguments` are the program's arguments after its name, UTF-8.
// Returns the exit status when the program is done; returns nothing when
// the window or the hidden run is to start, with what follows the rotator
// option left in `arguments` and the rotator chosen by the option or the
// settings file in `rotatorAddress` (nullopt: none).
std::optional<int> RunConsoleStart(std::vector<std::string>& arguments, const NumberLocale& locale,
                                   const ConsoleStreams& streams, std::optional<std::string>& rotatorAddress);

}  // namespace pelvorn
