#include "RotatorWorker.h"

#include "common/Text.h"
#include "common/Texts.h"

#include <chrono>

namespace pelvorn::rotator {
namespace {

using std::chrono::milliseconds;

// While the antenna turns: read its position this often, call it there
// within this much, and stop following it when it has not moved for this
// long (a rotator turns a few degrees per second).
constexpr milliseconds PollInterval{500};
constexpr double ReachedWithin = 0.5;
constexpr milliseconds StandingStill{10000};

}  // namespace

Worker::Worker(std::string addressText, Options options, Events events)
    : addressText_(std::move(addressText)), options_(options), events_(std::move(events)) {
  options_.cancel = &cancel_;
}

Worker::~Worker() { stop(); }

void Worker::stop() {
  cancel_ = true;
  thread_.join();
  cancel_ = false;
}

void Worker::turnTo(double direction) {
  stop();
  if (!thread_.start([this, direction] { run(direction); })) {
    if (events_.failed) events_.failed(std::string(text::RotatorCommandNotStarted));
  }
}

void Worker::run(double direction) {
  const auto address = ParseAddress(addressText_);
  Outcome outcome;
  if (!address) {
    outcome = Outcome::Fail(Failure::BadAddress, BadAddressMessage(addressText_));
  } else {
    Rotator rotator(*address, options_);
    double sent = 0.0;
    outcome = rotator.turnTo(direction, sent);
    if (outcome) {
      if (events_.commanded) events_.commanded(sent);
      outcome = rotator.followUntilReached(sent, ReachedWithin, PollInterval, StandingStill,
                                           events_.position);
    }
  }
  if (!outcome && outcome.failure != Failure::Cancelled && events_.failed) events_.failed(outcome.message);
}

}  // namespace pelvorn::rotator
