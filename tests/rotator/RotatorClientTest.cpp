// The rotator client against Hamlib's dummy rotator (rotctld -m 1) and
// against rotator_stub, on 127.0.0.1: mapping on the wire, and every way
// the daemon can fail, each ending within its time limit.

#include "Peers.h"

#include "common/Text.h"
#include "common/Texts.h"
#include "rotator/Rotator.h"
#include "rotator/RotatorWorker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace pelvorn::rotator {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using testing::Rotctld;
using testing::Stub;

Address Loopback(int port) { return {"127.0.0.1", static_cast<std::uint16_t>(port)}; }

Options WithTimeout(std::chrono::milliseconds timeout) {
  Options options;
  options.timeout = timeout;
  return options;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

TEST(RotatorClient, DummyWithSignedRangeReceivesMinus90For270) {
  Rotctld daemon("min_az=-180,max_az=180");
  Rotator rotator(Loopback(daemon.port()));
  double sent = 0;
  const Outcome outcome = rotator.turnTo(270, sent);
  ASSERT_TRUE(outcome) << outcome.message;
  EXPECT_EQ(rotator.range().minimum, -180);
  EXPECT_EQ(sent, -90);
  // The dummy turns towards -90, which it would not for 270 (it refuses that).
  double azimuth = 0;
  for (int i = 0; i < 100 && azimuth > -1; ++i) {
    std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(rotator.position(azimuth));
  }
  EXPECT_LT(azimuth, -1);
}

TEST(RotatorClient, ElevationWithinTheRotatorsLimits) {
  Rotctld daemon("min_el=10");  // refuses an elevation of 0
  const Outcome outcome = TurnAntenna(Loopback(daemon.port()), 30);
  EXPECT_TRUE(outcome) << outcome.message;
}

// Every failure: its kind and its message, with the address and the values
// after it. Each ends well within
// the 3 s limit (a loaded machine may take a second), but the daemon that
// never answers, which ends on its 1 s limit.
struct FailureCase {
  const char* name;
  const char* mode;  // stub mode; "none" nothing listens, "killed" rotctld dies mid-command
  Failure failure;
  std::string_view message;
  std::string_view second = {}, third = {}, fourth = {};
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

class RotatorFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(RotatorFailures, EndInTimeWithAClearMessage) {
  const FailureCase& c = GetParam();
  const std::string mode = c.mode;
  const bool silent = mode == "silent" || mode == "trickle";
  const Options options = WithTimeout(silent ? 1000ms : 3000ms);
  Outcome outcome;
  int port = 0;
  auto start = Clock::now();
  if (mode == "none") {
    port = testing::FreePort();
    outcome = TurnAntenna(Loopback(port), 139.74, options);
  } else if (mode == "killed") {
    Rotctld daemon;
    daemon.pause();  // connects, then waits for an answer that never comes
    std::thread killer([&] {
      std::this_thread::sleep_for(300ms);
      start = Clock::now();
      daemon.kill();
    });
    port = daemon.port();
    outcome = TurnAntenna(Loopback(port), 139.74, options);
    killer.join();
  } else {
    Stub stub(c.mode);
    start = Clock::now();
    port = stub.port();
    outcome = TurnAntenna(Loopback(port), 139.74, options);
  }
  const double took = Seconds(Clock::now() - start);
  EXPECT_EQ(outcome.failure, c.failure) << outcome.message;
  EXPECT_EQ(outcome.message, Fill(c.message, {AddressText(Loopback(port)), c.second, c.third, c.fourth}));
  EXPECT_GE(took, silent ? 0.95 : 0.0);
  EXPECT_LE(took, 2.0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RotatorFailures,
    ::testing::Values(
        FailureCase{"NothingListens", "none", Failure::Refused, text::ConnectionRefused},
        FailureCase{"NeverAnswers", "silent", Failure::Timeout, text::NoAnswerWithin, text::NoAnswer, "1 s"},
        FailureCase{"KilledMidCommand", "killed", Failure::ConnectionLost, text::ConnectionLost},
        FailureCase{"HangsUp", "hangup", Failure::ConnectionLost, text::ConnectionLost},
        FailureCase{"RejectsThePosition", "reject", Failure::Rejected, text::CommandRejected, "-5"},
        FailureCase{"NamesNoRange", "nolimits", Failure::BadAnswer, text::NoAzimuthRange},
        // The whole answer to \dump_state is bounded: in lines and bytes, and in time.
        FailureCase{"EndlessState", "flood", Failure::BadAnswer, text::AnswerTooLong, "\\dump_state", "200", "16"},
        FailureCase{"TricklingState", "trickle", Failure::Timeout, text::NoAnswerWithin, text::NoFullAnswer, "1 s"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(RotatorClient, UnknownHost) {
  const Outcome outcome = TurnAntenna({"no-such-host.invalid", 4533}, 139.74, WithTimeout(1000ms));
  EXPECT_EQ(outcome.failure, Failure::HostNotFound);
  EXPECT_NE(outcome.message.find("unbekannt"), std::string::npos);
}

TEST(RotatorClient, CancelEndsAWaitAtOnce) {
  Stub stub("silent");
  std::atomic<bool> cancel{false};
  Options options = WithTimeout(10000ms);
  options.cancel = &cancel;
  std::thread canceller([&] {
    std::this_thread::sleep_for(200ms);
    cancel = true;
  });
  const auto start = Clock::now();
  const Outcome outcome = TurnAntenna(Loopback(stub.port()), 139.74, options);
  canceller.join();
  EXPECT_EQ(outcome.failure, Failure::Cancelled);
  EXPECT_LE(Seconds(Clock::now() - start), 2.0);  // not the 10 s limit
}

// Collects the worker's events, which come on its own thread.
struct Events {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<double> commanded, positions;
  std::vector<std::string> failures;

  Worker::Events callbacks() {
    return {[this](double a) { add(commanded, a); }, [this](double a) { add(positions, a); },
            [this](const std::string& m) {
              std::lock_guard lock(mutex);
              failures.push_back(m);
              changed.notify_all();
            }};
  }
  void add(std::vector<double>& list, double value) {
    std::lock_guard lock(mutex);
    list.push_back(value);
    changed.notify_all();
  }
  template <typename Predicate>
  bool waitFor(std::chrono::milliseconds limit, Predicate done) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, limit, done);
  }
};

TEST(RotatorWorker, FollowsTheDummyUntilItStandsThere) {
  Rotctld daemon;
  Events events;
  Worker worker("127.0.0.1:" + std::to_string(daemon.port()), {}, events.callbacks());
  worker.turnTo(3.5);
  ASSERT_TRUE(events.waitFor(10s, [&] { return !events.positions.empty() && std::fabs(events.positions.back() - 3.5) <= 0.5; }));
  EXPECT_EQ(events.commanded, std::vector<double>{3.5});
  EXPECT_TRUE(events.failures.empty());
  for (int i = 0; i < 20 && worker.busy(); ++i) std::this_thread::sleep_for(50ms);
  EXPECT_FALSE(worker.busy());
}

TEST(RotatorWorker, ReportsFailuresAndGoesAwayAtOnce) {
  Events events;
  {
    const std::string address = "127.0.0.1:" + std::to_string(testing::FreePort());
    Worker worker(address, {}, events.callbacks());
    worker.turnTo(139.74);
    ASSERT_TRUE(events.waitFor(2s, [&] { return !events.failures.empty(); }));
    EXPECT_EQ(events.failures[0], Fill(text::ConnectionRefused, {address}));

    Worker bad("rotor:0", {}, events.callbacks());
    bad.turnTo(139.74);
    ASSERT_TRUE(events.waitFor(2s, [&] { return events.failures.size() == 2; }));
    EXPECT_EQ(events.failures[1], Fill(text::BadAddress, {"rotor:0"}));
  }
  Stub stub("silent");
  const auto start = Clock::now();
  {
    Worker worker("127.0.0.1:" + std::to_string(stub.port()), {}, events.callbacks());
    worker.turnTo(139.74);
    std::this_thread::sleep_for(100ms);
  }  // cancelled: no failure reported, and no wait for the 3 s limit
  EXPECT_LE(Seconds(Clock::now() - start), 2.0);
  EXPECT_EQ(events.failures.size(), 2u);
}

}  // namespace
}  // namespace pelvorn::rotator
