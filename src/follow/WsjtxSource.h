#pragma once

#include "follow/StationSource.h"
#include "follow/UdpListener.h"

// WSJT-X and JTDX: their Status and QSO Logged datagrams on UDP.

namespace pelvorn::follow {

class WsjtxSource final : public StationSource {
public:
  explicit WsjtxSource(ListenAddress address) : address_(std::move(address)) {}

  std::string open() override { return listener_.open(address_); }
  std::string waitingLine() const override;
  Heard next(std::chrono::milliseconds timeout) override;
  std::size_t skipped() const override { return skipped_; }

private:
  ListenAddress address_;
  UdpListener listener_;
  std::size_t skipped_ = 0;
};

}  // namespace pelvorn::follow
