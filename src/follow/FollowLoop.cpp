#include "FollowLoop.h"

#include "common/Text.h"
#include "common/Texts.h"

#include <algorithm>
#include <ctime>

namespace pelvorn::follow {
namespace {

// How soon a stop request ends the wait for the source.
constexpr std::chrono::milliseconds StopCheck{100};

}  // namespace

LoopEnd RunFollowLoop(StationSource& source, Follower& follower, const std::atomic<bool>& stop,
                      const FollowDelivery& deliver, std::string& problem) {
  while (!stop) {
    const FollowClock::time_point now = FollowClock::now();
    const std::optional<FollowClock::time_point> due = follower.tick(now);
    std::chrono::milliseconds wait = StopCheck;
    if (due) wait = std::min(wait, std::chrono::ceil<std::chrono::milliseconds>(*due - now));
    Heard heard = source.next(wait);
    FollowOutput output;
    switch (heard.kind) {
      case Heard::Kind::Nothing: continue;
      case Heard::Kind::Failed: problem = std::move(heard.text); return LoopEnd::SourceFailed;
      case Heard::Kind::Notice: output.err = Fill(text::ErrorLine, {heard.text}); break;
      case Heard::Kind::Report: output = follower.see(heard.report, FollowClock::now(), std::time(nullptr)); break;
    }
    if (!deliver(output)) return LoopEnd::DeliveryFailed;
  }
  return LoopEnd::Stopped;
}

}  // namespace pelvorn::follow
