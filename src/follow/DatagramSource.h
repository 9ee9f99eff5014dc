#pragma once

#include "follow/StationSource.h"
#include "follow/UdpListener.h"

#include <string_view>

// A program that sends one datagram per message over UDP (WSJT-X and JTDX,
// N1MM-format loggers): the listener, and the program's reader of a datagram.

namespace pelvorn::follow {

// What a reader made of one datagram.
enum class DatagramKind { Report, Ignored, Malformed };
using DatagramReader = DatagramKind (*)(std::string_view bytes, StationReport& report);

class DatagramSource final : public StationSource {
public:
  // `waiting` is the German line for the listening source, %1 its address.
  DatagramSource(ListenAddress address, DatagramReader read, std::string_view waiting)
      : address_(std::move(address)), read_(read), waiting_(waiting) {}

  std::string open() override { return listener_.open(address_); }
  std::string waitingLine() const override;
  Heard next(std::chrono::milliseconds timeout) override;
  std::size_t skipped() const override { return skipped_; }

private:
  ListenAddress address_;
  DatagramReader read_;
  std::string_view waiting_;
  UdpListener listener_;
  std::size_t skipped_ = 0;
};

}  // namespace pelvorn::follow
