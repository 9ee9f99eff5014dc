#include "RotatorAddress.h"

#include "common/Text.h"
#include "common/Texts.h"

#include <charconv>

namespace pelvorn::rotator {
namespace {

std::string_view TrimBlanks(std::string_view text) { return TrimAscii(text, " \t"); }

std::optional<std::uint16_t> ParsePort(std::string_view text) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < 1 || value > 65535) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

// Letters, digits, '-', '.' and '_' make host names and IPv4 addresses;
// IPv6 adds ':' and, for a zone, '%'.
bool IsHostCharacter(char c, bool ipv6) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  if (c == '-' || c == '.' || c == '_') return true;
  return ipv6 && (c == ':' || c == '%');
}

bool IsHost(std::string_view host, bool ipv6) {
  if (host.empty() || host.size() > 253) return false;
  for (const char c : host) {
    if (!IsHostCharacter(c, ipv6)) return false;
  }
  return !ipv6 || host.find(':') != std::string_view::npos;
}

}  // namespace

std::optional<Address> ParseAddress(std::string_view text) {
  text = TrimBlanks(text);
  Address address;
  if (text.starts_with(PstPrefix)) {
    text.remove_prefix(PstPrefix.size());
    address.protocol = Protocol::PstRotator;
    address.port = DefaultPstPort;
  }
  std::string_view host;
  std::string_view rest;
  bool ipv6 = false;
  if (!text.empty() && text.front() == '[') {
    const auto close = text.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    host = text.substr(1, close - 1);
    rest = text.substr(close + 1);
    ipv6 = true;
    if (!rest.empty() && rest.front() != ':') return std::nullopt;
  } else {
    const auto colon = text.find(':');
    // Two colons without brackets: an IPv6 address without a port.
    if (colon != std::string_view::npos && text.find(':', colon + 1) != std::string_view::npos) {
      host = text;
      ipv6 = true;
    } else {
      host = text.substr(0, colon);
      if (colon != std::string_view::npos) rest = text.substr(colon);
    }
  }
  if (!IsHost(host, ipv6)) return std::nullopt;
  if (!rest.empty()) {
    const auto port = ParsePort(rest.substr(1));
    if (!port) return std::nullopt;
    address.port = *port;
  }
  // PstRotator answers on the next port.
  if (address.protocol == Protocol::PstRotator && address.port == 65535) return std::nullopt;
  address.host = std::string(host);
  return address;
}

std::string AddressText(const Address& address) {
  const bool ipv6 = address.host.find(':') != std::string::npos;
  std::string text = ipv6 ? "[" + address.host + "]" : address.host;
  const std::string_view prefix = address.protocol == Protocol::PstRotator ? PstPrefix : std::string_view();
  return std::string(prefix) + text + ":" + std::to_string(address.port);
}

std::string BadAddressMessage(std::string_view text) {
  if (text.starts_with('\n')) return std::string(text.substr(1));
  return Fill(text::BadAddress, {TrimBlanks(text)});
}

std::string UnusableAddress(std::string_view message) { return "\n" + std::string(message); }

}  // namespace pelvorn::rotator
