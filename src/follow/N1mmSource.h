#pragma once

#include "follow/StationSource.h"
#include "follow/UdpListener.h"

// N1MM Logger+ and the loggers that copy its format: their lookupinfo,
// contactinfo and contactreplace datagrams on UDP. The port is shared with
// the other programs that listen there (address reuse).

namespace pelvorn::follow {

// Where N1MM's datagrams are listened for by default: every interface, so
// that N1MM's default (127.0.0.1:12060) and a network's broadcast address
// (192.168.1.255:12060) both arrive.
ListenAddress N1mmListenAddress();

class N1mmSource final : public StationSource {
public:
  explicit N1mmSource(ListenAddress address) : address_(std::move(address)) { address_.shared = true; }

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
