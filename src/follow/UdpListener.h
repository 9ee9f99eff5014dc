#pragma once

#include "common/Socket.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The UDP socket the follower listens on: IPv4, a multicast group joined on
// every interface and on the loopback.

namespace pelvorn::follow {

struct ListenAddress {
  std::uint32_t ipv4 = 0x7f000001;  // host byte order
  std::uint16_t port = 2237;
  std::string text = "127.0.0.1:2237";
  bool shared = false;  // the port is shared with other listeners (each broadcast reaches all)

  bool multicast() const { return (ipv4 >> 28) == 0xe; }  // 224.0.0.0/4
};

// Reads "A.B.C.D:PORT" or "A.B.C.D" (port `port`). nullopt when it is neither.
std::optional<ListenAddress> ParseListenAddress(std::string_view text, std::uint16_t port = 2237);

class UdpListener {
public:
  // Binds to `address` (the group's port on every interface for a multicast
  // address, sharing it with other listeners). Returns the German reason
  // (UTF-8) when that fails, else the empty text.
  std::string open(const ListenAddress& address);

  enum class Wait { Datagram, Timeout, Failed };
  // Waits at most `timeout` for the next datagram and puts it into
  // `datagram` (at most 64 KiB). Failed: `error` holds the German reason.
  Wait receive(std::string& datagram, std::chrono::milliseconds timeout, std::string& error);

  // The socket, for a front end's event loop (an int on POSIX, a SOCKET on Windows).
  std::intptr_t handle() const { return socket_.handle(); }

private:
  Socket socket_;
};

}  // namespace pelvorn::follow
