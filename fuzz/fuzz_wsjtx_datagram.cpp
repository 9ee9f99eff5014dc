// Any datagram: the reader never reads past its end, and the follower,
// fed the same bytes twice and a pending target, prints at most one line
// for them and never crashes.
#include "FuzzInput.h"

#include "follow/Follower.h"
#include "follow/WsjtxDatagram.h"

#include <cstdlib>

namespace {

class Rotator final : public pelvorn::follow::RotatorTarget {
public:
  void turnTo(double direction) override {
    if (!(direction >= 0 && direction < 360)) std::abort();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pelvorn::follow;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const Datagram datagram = ReadDatagram(bytes);
  if (datagram.verdict == Datagram::Verdict::Malformed && datagram.problem.empty()) std::abort();

  Rotator rotator;
  FollowOptions options;
  options.turn = TurnMode::LongPath;
  options.tsv = size % 2 == 0;
  Follower follower(options, FuzzLocales()[size % 2], &rotator);
  const FollowClock::time_point start{};
  const auto take = [&] {
    return datagram.verdict == Datagram::Verdict::Report ? follower.see(datagram.report, start, 0) : FollowOutput{};
  };
  const FollowOutput first = take();
  const FollowOutput second = take();
  if (!second.out.empty() || !second.err.empty()) std::abort();  // the same grid is printed once
  if (first.sighting && first.out.empty()) std::abort();
  follower.tick(start + options.settle);
  return 0;
}
