#pragma once

#include "common/Arguments.h"
#include "common/NumberLocale.h"
#include "follow/Follower.h"
#include "follow/LiveMap.h"
#include "follow/SourceAddress.h"
#include "rotator/RotatorSettings.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// Pelvorn --follow: the station being worked in an operating program, one
// line per new DX grid, and the antenna turned to it on request. Runs until Ctrl+C or
// SIGTERM (on Windows: the console's Ctrl+C, Ctrl+Break or close).

namespace pelvorn::follow {

inline constexpr std::string_view FollowOption = "--follow";

// The exit status for unusable arguments, a port that cannot be listened
// on or output that cannot be written.
inline constexpr int FollowUnusable = 2;

// The options --follow takes (the address may also stand as --follow=ADDRESS).
inline constexpr OptionRule FollowArguments[] = {
    {FollowOption, OptionValue::Optional}, {"--own", OptionValue::Required},
    {"--id", OptionValue::Required},       {"--settle", OptionValue::Required},
    {"--turn", OptionValue::Optional},     {"--tsv"},
    {"--window"},                          {rotator::RotatorOption, OptionValue::Required},
    {rotator::DeadbandOption, OptionValue::Required}, {"--park-on-exit"},
    {"--map", OptionValue::Required},      {"--size", OptionValue::Required},
    {"--radius", OptionValue::Required},
    {"--poll", OptionValue::Required},
};

struct FollowCommand {
  SourceAddress source;
  FollowOptions options;
  bool window = false;  // --window: the window follows instead of the console
  bool parkOnExit = false;  // --park-on-exit: park the antenna when interrupted
  std::optional<LiveMapFile> map;  // --map OUT [--size] [--radius]: the live map
};

// Turns what was read with FollowArguments into `command`. Returns the
// German problem (UTF-8) when it is unusable, else the empty text.
std::string ReadFollowCommand(const ReadOptions& read, FollowCommand& command);

// The line (UTF-8, with its line end) for the rotator's command to turn to
// `azimuth` (degrees, as the rotator takes them): the compass direction, and
// `azimuth` beside it where that differs.
std::string RotatorTurnsLine(double azimuth, char16_t decimalSeparator);

// Runs the console follower for `command` until it is interrupted, with
// `out` and `err` as standard output and error; `rotatorAddress` (the option's
// or the settings file's) is turned with --turn. Returns the exit status: 0
// when interrupted, 2 for a port that cannot be listened on or output that
// cannot be written, 4 when the antenna could not be parked on exit.
int RunFollowTool(const FollowCommand& command, const NumberLocale& locale,
                  const std::optional<std::string>& rotatorAddress, std::FILE* out, std::FILE* err);

}  // namespace pelvorn::follow
