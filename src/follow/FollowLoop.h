#pragma once

#include "follow/Follower.h"
#include "follow/StationSource.h"

#include <atomic>
#include <functional>
#include <string>

// The follower's loop, the same for the console and the windows: waits for
// the source, hands its reports to the follower and the settled targets to
// the rotator, until a stop is requested.

namespace pelvorn::follow {

// Takes what the follower gave (and the source's notices, as `err`).
// Returns false when it cannot: the loop then ends.
using FollowDelivery = std::function<bool(const FollowOutput&)>;

enum class LoopEnd { Stopped, SourceFailed, DeliveryFailed };

// Runs until `stop` is set (seen within a tenth of a second), the source
// fails (`problem` says why, German) or `deliver` returns false. `source`
// must be open.
LoopEnd RunFollowLoop(StationSource& source, Follower& follower, const std::atomic<bool>& stop,
                      const FollowDelivery& deliver, std::string& problem);

}  // namespace pelvorn::follow
