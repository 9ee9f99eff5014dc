#include "UdpListener.h"

#include "common/Text.h"
#include "common/Texts.h"
#include "follow/Follower.h"

#include <charconv>

namespace pelvorn::follow {

std::optional<ListenAddress> ParseListenAddress(std::string_view text, std::uint16_t defaultPort) {
  ListenAddress address;
  address.port = defaultPort;
  address.text = std::string(text);
  const std::size_t colon = text.rfind(':');
  std::string_view host = text.substr(0, colon);
  if (colon != std::string_view::npos) {
    const std::string_view port = text.substr(colon + 1);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
    if (port.empty() || error != std::errc{} || end != port.data() + port.size() || value == 0 || value > 65535) {
      return std::nullopt;
    }
    address.port = static_cast<std::uint16_t>(value);
  } else {
    address.text += ':' + std::to_string(defaultPort);
  }
  std::uint32_t ipv4 = 0;
  for (int part = 0; part < 4; ++part) {
    const std::size_t dot = host.find('.');
    if ((part < 3) == (dot == std::string_view::npos)) return std::nullopt;
    const std::string_view number = host.substr(0, dot);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || number.size() > 3 || error != std::errc{} || end != number.data() + number.size() || value > 255) {
      return std::nullopt;
    }
    ipv4 = ipv4 << 8 | value;
    host.remove_prefix(part < 3 ? dot + 1 : host.size());
  }
  address.ipv4 = ipv4;
  return address;
}

std::string UdpListener::open(const ListenAddress& address) {
  const SocketStatus status = socket_.bindUdp(address.ipv4, address.port, address.multicast(), address.shared);
  if (status) return {};
  const bool inUse = status.kind == SocketStatus::AddressInUse;
  return Fill(text::FollowCannotListen,
              {address.text, inUse ? std::string(text::FollowAddressInUse) : SocketErrorText(status.code)});
}

UdpListener::Wait UdpListener::receive(std::string& datagram, std::chrono::milliseconds timeout, std::string& error) {
  const SocketStatus status = socket_.receiveDatagram(datagram, timeout);
  if (status) return Wait::Datagram;
  if (status.kind == SocketStatus::TimedOut) return Wait::Timeout;
  error = SocketErrorText(status.code);
  return Wait::Failed;
}

}  // namespace pelvorn::follow
