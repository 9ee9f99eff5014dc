#pragma once

#include "AzimuthRange.h"
#include "RotatorAddress.h"
#include "RotatorConnection.h"
#include "RotatorFailure.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelvorn::rotator {

// How long each step may take, and how numbers appear in messages.
struct Options {
  // Limit for connecting, for sending a command and for each answer line.
  std::chrono::milliseconds timeout{3000};
  // Decimal separator of the numbers in the German messages.
  char decimalSeparator = ',';
  // Set from another thread to give up within a tenth of a second.
  const std::atomic<bool>* cancel = nullptr;
};

// A rotator behind rotctld: connects on first use, reads the rotator's
// azimuth range once per connection ("\dump_state"), turns it ("P") and
// reads its position ("p").
class Rotator {
public:
  Rotator(Address address, Options options = {});

  // Connects and reads the range, unless connected already.
  Outcome connect();

  // The azimuth range reported on this connection (after connect).
  const AzimuthRange& range() const { return range_; }

  // Turns the antenna to `direction` (degrees, rounded to hundredths as the
  // window shows it): maps it into the rotator's range, nearest to where
  // the rotator stands, sends it and waits for "RPRT 0". `sent` receives the
  // azimuth sent. OutOfRange when no representation lies in the range.
  Outcome turnTo(double direction, double& sent);

  // Reads the rotator's current azimuth.
  Outcome position(double& azimuth);

  // Polls the position every `interval` until it is within `tolerance` of
  // `target`, reporting each reading to `seen`; gives up without failure
  // after `patience` without movement (a stuck or slow rotator).
  Outcome followUntilReached(double target, double tolerance, std::chrono::milliseconds interval,
                             std::chrono::milliseconds patience,
                             const std::function<void(double)>& seen);

private:
  Outcome exchange(std::string_view command, std::vector<std::string>& answer,
                   std::size_t lines);
  void dropConnection();
  Outcome badAnswer(std::string_view what, std::string_view line) const;
  std::string degrees(double value) const;

  Address address_;
  Options options_;
  Connection connection_;
  bool connected_ = false;
  AzimuthRange range_;
  double elevation_ = 0.0;
};

// Connects to `address` and turns the antenna to `direction`, see
// Rotator::turnTo. The whole exchange of a hidden run.
Outcome TurnAntenna(const Address& address, double direction, const Options& options = {});

}  // namespace pelvorn::rotator
