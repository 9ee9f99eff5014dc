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

Worker::~Worker() { cancel(); }

void Worker::cancel() {
  cancel_ = true;
  thread_.join();
  cancel_ = false;
}

void Worker::turnTo(double direction) { start(Job::Turn, direction); }
void Worker::stop() { start(Job::Stop, 0.0); }
void Worker::park() { start(Job::Park, 0.0); }

void Worker::start(Job job, double direction) {
  cancel();
  if (!thread_.start([this, job, direction] { run(job, direction); })) {
    if (events_.failed) events_.failed(std::string(text::RotatorCommandNotStarted));
  }
}

void Worker::run(Job job, double direction) {
  const auto address = ParseAddress(addressText_);
  Outcome outcome;
  if (!address) {
    outcome = Outcome::Fail(Failure::BadAddress, BadAddressMessage(addressText_));
  } else {
    const auto rotator = MakeRotator(*address, options_);
    Turn turn;
    if (job == Job::Stop) {
      outcome = rotator->stop();
      if (outcome && events_.stopped) events_.stopped();
    } else {
      const bool ownPark = job == Job::Park && !options_.park;
      outcome = job == Job::Turn ? rotator->turnTo(direction, turn) : rotator->park(turn);
      if (outcome && ownPark) {
        if (events_.parking) events_.parking();
      } else if (outcome && turn.withinDeadband) {
        if (events_.withinDeadband) events_.withinDeadband(*turn.standing, job == Job::Turn ? direction : *options_.park);
      } else if (outcome) {
        if (events_.commanded) events_.commanded(turn.sent);
        outcome = rotator->followUntilReached(turn.sent, ReachedWithin, PollInterval, StandingStill, events_.position);
      }
    }
  }
  if (outcome.failure == Failure::Cancelled) return;
  if (!outcome) {
    if (events_.failed) events_.failed(outcome.message);
  } else if (events_.finished) {
    events_.finished();
  }
}

}  // namespace pelvorn::rotator
