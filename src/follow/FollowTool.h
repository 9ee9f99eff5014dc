#pragma once

#include "common/NumberLocale.h"
#include "follow/Follower.h"
#include "follow/UdpListener.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// Pelvorn --follow: the station being worked in WSJT-X, one line per new
// DX grid, and the antenna turned to it on request. Runs until Ctrl+C or
// SIGTERM (on Windows: the console's Ctrl+C, Ctrl+Break or close).

namespace pelvorn::follow {

inline constexpr std::string_view FollowOption = "--follow";

// The exit status for unusable arguments, a port that cannot be listened
// on or output that cannot be written.
inline constexpr int FollowUnusable = 2;

struct FollowCommand {
  ListenAddress address;
  FollowOptions options;
  bool window = false;  // --window: the window follows instead of the console
  bool parkOnExit = false;           // --park-on-exit: park the antenna when interrupted
  std::optional<double> deadband;    // --deadband DEGREES
};

// Reads `arguments` (UTF-8, starting with --follow). Returns the German
// problem (UTF-8) when they are unusable, else the empty text.
std::string ParseFollowCommand(const std::vector<std::string>& arguments, FollowCommand& command);

// Whether `arguments` start with --follow and ask for the window.
bool AsksForFollowingWindow(const std::vector<std::string>& arguments);

// Runs the console follower for `arguments` until it is interrupted, with
// `out` and `err` as standard output and error. `rotatorAddress` names the
// rotator of the option or the settings file, if any. Returns the exit status: 0 when interrupted, 2 for
// unusable arguments, a port that cannot be listened on or output that
// cannot be written.
int RunFollowTool(const std::vector<std::string>& arguments, const NumberLocale& locale,
                  const std::optional<std::string>& rotatorAddress, std::FILE* out, std::FILE* err);

}  // namespace pelvorn::follow
