#pragma once

#include "common/NumberLocale.h"
#include "follow/StationReport.h"

#include <chrono>
#include <ctime>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>

// Follows the station being worked: from each report of a source, the line
// for a new DX grid and, with a rotator, the antenna's next target once the
// grid has settled. No sockets, no clock of its own: the caller hands in
// the reports and the time.

namespace pelvorn::follow {

enum class TurnMode { None, ShortPath, LongPath };

struct FollowOptions {
  std::optional<std::string> ownLocator;  // --own: instead of the sender's DE grid
  std::optional<std::string> id;          // --id: follow this instance only
  bool tsv = false;
  TurnMode turn = TurnMode::None;
  std::chrono::milliseconds settle{1000};
};

// Where the settled targets go (the rotator, or a test's record).
class RotatorTarget {
public:
  virtual ~RotatorTarget() = default;
  // Turns to `direction` (degrees), replacing a target still being approached.
  virtual void turnTo(double direction) = 0;
};

// A new pair of locators, normalised as the window's boxes take them.
struct Sighting {
  std::u16string ownLocator;
  std::u16string foreignLocator;
};

// What one report gave: lines (UTF-8, each with its line end) for
// standard output and standard error, and the new pair if there is one.
struct FollowOutput {
  std::string out;
  std::string err;
  std::optional<Sighting> sighting;
};

using FollowClock = std::chrono::steady_clock;

class Follower {
public:
  // `rotator` may be null (no turning); it must outlive the follower.
  Follower(FollowOptions options, NumberLocale locale, RotatorTarget* rotator);

  // Takes `report`, received at `now` (`utcNow` for the printed time).
  FollowOutput see(const StationReport& report, FollowClock::time_point now, std::time_t utcNow);

  // Hands the pending target to the rotator when it has stayed the same for
  // the settle time. Returns when to call again, or nullopt when nothing is pending.
  std::optional<FollowClock::time_point> tick(FollowClock::time_point now);

private:
  FollowOptions options_;
  NumberLocale locale_;
  RotatorTarget* rotator_;
  // The last (own, DX) grid pair seen from each instance.
  std::map<std::string, std::string, std::less<>> lastSeen_;
  std::optional<double> pendingTarget_;
  std::string pendingSender_;  // whose grid gave the pending target
  FollowClock::time_point pendingSince_;
};


// Returns the locator `grid` names (4, 6 or 8 characters, either case) as
// the window's box takes it: six capitals, a square completed to its centre
// ("KM38" gives "KM38MM"), an extended square cut to its subsquare. Empty
// when `grid` is no such locator.
std::u16string NormalisedGrid(std::string_view grid);

}  // namespace pelvorn::follow
