#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pelvorn::rotator {

// The TCP port rotctld listens on unless told otherwise.
inline constexpr std::uint16_t DefaultPort = 4533;
// PstRotator's UDP command port unless told otherwise (it answers on the next one).
inline constexpr std::uint16_t DefaultPstPort = 12000;
// What an address starting with it names: PstRotator.
inline constexpr std::string_view PstPrefix = "pst:";

// Which program drives the rotator.
enum class Protocol { Rotctld, PstRotator };

// Where the rotator's program listens: a host name or an IPv4 or IPv6
// address, and a port.
struct Address {
  std::string host;
  std::uint16_t port = DefaultPort;
  Protocol protocol = Protocol::Rotctld;

  bool operator==(const Address&) const = default;
};

// Reads "HOST", "HOST:PORT", "[IPv6]" or "[IPv6]:PORT" (surrounding blanks
// ignored); with "pst:" before it, PstRotator (port 12000 unless given). Returns nullopt for an empty host, a bad port (not 1..65535), an
// unbracketed IPv6 address with a port, or characters no host name has.
std::optional<Address> ParseAddress(std::string_view text);

// The address as the user writes it: "host:port", IPv6 in brackets,
// "pst:host:port" for PstRotator.
std::string AddressText(const Address& address);

// The German message for a text that ParseAddress refused (UTF-8).
std::string BadAddressMessage(std::string_view text);

// An address text that is none: it stands for a settings file that names a
// rotator Pelvorn cannot read, so that the rotator's first use fails with
// `message` as for a bad address. (A line feed, which no line of a settings
// file holds, marks it.)
std::string UnusableAddress(std::string_view message);

}  // namespace pelvorn::rotator
