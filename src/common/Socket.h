#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// The sockets the rotator client and the follower talk through: the same
// calls over POSIX sockets and Winsock (platform/sockets/Socket.cpp).

namespace pelvorn {

// Until when a socket call may wait, and a flag that ends the wait early
// (looked at every tenth of a second).
struct Deadline {
  std::chrono::steady_clock::time_point at;
  const std::atomic<bool>* cancel = nullptr;
};

// What a socket call came to. `code` is the system's error number (errno,
// or WSAGetLastError() on Windows) of a failure, 0 for a closed connection.
struct SocketStatus {
  enum Kind { Done, TimedOut, Cancelled, HostNotFound, Refused, Unreachable, AddressInUse, Failed };
  Kind kind = Done;
  int code = 0;

  explicit operator bool() const { return kind == Done; }
};

class Socket {
public:
  Socket() = default;
  ~Socket() { close(); }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;

  // TCP: resolves `host` and connects to the first of its addresses that
  // accepts, by the deadline. The connection never blocks.
  SocketStatus connect(const std::string& host, std::uint16_t port, Deadline deadline);
  // Sends all of `data` by the deadline.
  SocketStatus send(std::string_view data, Deadline deadline);
  // Appends what arrives next, at most `most` bytes.
  SocketStatus receive(std::string& data, std::size_t most, Deadline deadline);

  // UDP over IPv4 (`ipv4` in host byte order). A multicast group's port is
  // bound on every interface and shared with other listeners; the group is
  // joined on the loopback and on every other interface that is up and can
  // multicast at this moment, and only datagrams sent to the group are taken.
  // A `shared` port is bound beside other listeners that reuse the address:
  // each broadcast reaches them all, a unicast datagram only one of them.
  SocketStatus bindUdp(std::uint32_t ipv4, std::uint16_t port, bool multicast, bool shared = false);
  // Waits at most `timeout` for the next datagram and puts it into
  // `datagram` (at most 64 KiB). An interrupted wait times out, and so does
  // a datagram that was not sent to the group.
  SocketStatus receiveDatagram(std::string& datagram, std::chrono::milliseconds timeout);

  // UDP that talks to a peer: the IPv4 address of `host` (host byte order),
  // HostNotFound when it has none.
  static SocketStatus ResolveIpv4(const std::string& host, std::uint32_t& ipv4);
  // Sends `datagram` to `ipv4`:`port` from this socket (bound with bindUdp).
  SocketStatus sendDatagram(std::string_view datagram, std::uint32_t ipv4, std::uint16_t port);
  // Waits by the deadline for the next datagram (at most 64 KiB), its
  // sender's address in `from`. An interrupted wait goes on waiting.
  SocketStatus receiveDatagram(std::string& datagram, Deadline deadline, std::uint32_t& from);

  void close();
  bool isOpen() const { return handle_ != NoHandle; }
  // For a front end's event loop: an int on POSIX, a SOCKET on Windows.
  std::intptr_t handle() const { return handle_; }

private:
  static constexpr std::intptr_t NoHandle = -1;  // INVALID_SOCKET too

  SocketStatus wait(bool writing, Deadline deadline);
  SocketStatus fail(int code);

  std::intptr_t handle_ = NoHandle;
  std::uint32_t group_ = 0;                 // network byte order; 0 unless bound to a group
  std::unique_ptr<char[]> datagramBuffer_;  // filled by each datagram, never cleared
};

// The German text for a failure's `code`.
std::string SocketErrorText(int code);

}  // namespace pelvorn
