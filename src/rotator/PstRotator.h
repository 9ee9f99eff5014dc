#pragma once

#include "Rotator.h"
#include "common/Socket.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace pelvorn::rotator {

// A rotator behind PstRotator, over UDP: commands go to the address's port,
// answers come back to this host on the next port. PstRotator does the
// overlap and the limits itself, so directions go as 0..360.
//
// UDP has no connection and no acknowledgement: a turn is done once an
// answer to "AZ?" shows the antenna nearer to the target than it stood, or
// within the dead band; stop and park once the rotator answers at all.
// Datagrams from other hosts and answers that are no "AZ:" are passed over,
// and no step waits longer than the options' time limit, however many
// datagrams arrive.
class PstRotator final : public Rotator {
public:
  PstRotator(Address address, Options options);

  Outcome turnTo(double direction, Turn& turn) override;
  Outcome position(double& azimuth) override;
  Outcome stop() override;

private:
  using Clock = std::chrono::steady_clock;

  Outcome parkItself() override;
  // Resolves the host and opens the answer port, unless done already.
  Outcome open();
  Outcome send(std::string_view datagram);
  // Asks for the position and waits by `deadline` for the answer.
  Outcome ask(double& azimuth, Clock::time_point deadline);
  // Sends `command`, then waits for any answer to "AZ?".
  Outcome commandAndListen(std::string_view command);
  Outcome timedOut(std::string_view what) const;

  Address address_;
  Socket socket_;
  std::uint32_t peer_ = 0;
};

}  // namespace pelvorn::rotator
