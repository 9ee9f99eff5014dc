#pragma once

#include "AzimuthRange.h"
#include "Rotator.h"
#include "RotatorConnection.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelvorn::rotator {

// A rotator behind rotctld: connects on first use, reads the rotator's
// azimuth range once per connection ("\dump_state"), turns it ("P") and
// reads its position ("p"), stops it ("S") and parks it ("K").
class RotctldRotator final : public Rotator {
public:
  explicit RotctldRotator(Address address, Options options = {});

  // Connects and reads the range, unless connected already.
  Outcome connect();

  // The azimuth range reported on this connection (after connect).
  const AzimuthRange& range() const { return range_; }

  // Asks where the rotator stands ("p"), maps `direction` into its range,
  // nearest to there, sends it ("P") and waits for "RPRT 0"; nothing when it
  // stands within the dead band. OutOfRange when no representation lies in
  // the range.
  Outcome turnTo(double direction, Turn& turn) override;
  Outcome position(double& azimuth) override;
  Outcome stop() override;

private:
  Outcome parkItself() override;
  // Sends a command answered by a report line alone ("S", "K", "P").
  Outcome command(std::string_view line, std::string_view name);
  Outcome exchange(std::string_view command, std::vector<std::string>& answer,
                   std::size_t lines);
  void dropConnection();
  Outcome badAnswer(std::string_view what, std::string_view line) const;

  Address address_;
  Connection connection_;
  bool connected_ = false;
  AzimuthRange range_;
  double elevation_ = 0.0;
};

}  // namespace pelvorn::rotator
