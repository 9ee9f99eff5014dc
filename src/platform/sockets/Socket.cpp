// The sockets over the BSD socket calls that POSIX and Winsock share; where
// they differ, SocketSystem.h of the platform decides.
#include "common/Socket.h"

#ifdef _WIN32
#include "platform/win32/SocketSystem.h"
#else
#include "platform/posix/SocketSystem.h"
#endif

#include <algorithm>
#include <optional>

namespace pelvorn {
namespace {

using namespace sockets;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Cancel requests are looked at this often while waiting.
constexpr milliseconds CancelPoll{100};
constexpr std::size_t LargestDatagram = 65536;

SocketStatus Failure(int code) {
  if (IsRefused(code)) return {SocketStatus::Refused, code};
  if (IsUnreachable(code)) return {SocketStatus::Unreachable, code};
  if (IsAddressInUse(code)) return {SocketStatus::AddressInUse, code};
  return {SocketStatus::Failed, code};
}

// The error a non-blocking connect ended with (0 when it succeeded).
int ConnectError(Native s) {
  int error = 0;
  socklen_t size = sizeof error;
  if (getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0) return LastError();
  return error;
}

bool SetFlag(Native s, int level, int option) {
  const int on = 1;
  return setsockopt(s, level, option, reinterpret_cast<const char*>(&on), sizeof on) == 0;
}

// `group` and `on` (an interface's address) in network byte order.
bool Join(Native s, std::uint32_t group, std::uint32_t on) {
  ip_mreq request{};
  request.imr_multiaddr.s_addr = group;
  request.imr_interface.s_addr = on;
  return setsockopt(s, IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char*>(&request), sizeof request) == 0;
}

}  // namespace

std::string SocketErrorText(int code) { return ErrorText(code); }

void Socket::close() {
  if (isOpen()) CloseNative(static_cast<Native>(handle_));
  handle_ = NoHandle;
  group_ = 0;
}

SocketStatus Socket::fail(int code) {
  close();
  return Failure(code);
}

SocketStatus Socket::wait(bool writing, Deadline deadline) {
  for (;;) {
    if (deadline.cancel != nullptr && deadline.cancel->load()) return {SocketStatus::Cancelled};
    const auto left = std::chrono::duration_cast<milliseconds>(deadline.at - Clock::now());
    if (left.count() <= 0) return {SocketStatus::TimedOut};
    const int ready = WaitReady(static_cast<Native>(handle_), writing, std::min(left + milliseconds(1), CancelPoll));
    if (ready > 0) return {};
    if (ready < 0 && !Interrupted(LastError())) return Failure(LastError());
  }
}

SocketStatus Socket::connect(const std::string& host, std::uint16_t port, Deadline deadline) {
  close();
  StartSockets();  // when it fails, so does the lookup
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || found == nullptr) {
    return {SocketStatus::HostNotFound};
  }
  std::optional<SocketStatus> ended;  // connected, timed out or cancelled
  int error = 0;
  for (const addrinfo* info = found; info != nullptr && !ended; info = info->ai_next) {
    const Native s = OpenNative(info->ai_family, info->ai_socktype, info->ai_protocol);
    handle_ = static_cast<std::intptr_t>(s);
    if (!isOpen() || !SetNonBlocking(s)) {
      error = LastError();
      close();
      continue;
    }
    error = ::connect(s, info->ai_addr, static_cast<socklen_t>(info->ai_addrlen)) == 0 ? 0 : LastError();
    if (InProgress(error)) {
      const SocketStatus waited = wait(true, deadline);
      if (waited.kind == SocketStatus::TimedOut || waited.kind == SocketStatus::Cancelled) ended = waited;
      error = waited ? ConnectError(s) : waited.code;
    }
    if (error == 0 && !ended) ended = SocketStatus{};
    if (!ended || !*ended) close();
  }
  freeaddrinfo(found);
  return ended ? *ended : Failure(error);
}

SocketStatus Socket::send(std::string_view data, Deadline deadline) {
  while (!data.empty()) {
    const long sent = SendSome(static_cast<Native>(handle_), data.data(), data.size());
    if (sent > 0) {
      data.remove_prefix(static_cast<std::size_t>(sent));
      continue;
    }
    const int error = sent < 0 ? LastError() : 0;
    if (sent < 0 && Interrupted(error)) continue;
    if (sent < 0 && WouldBlock(error)) {
      if (SocketStatus waited = wait(true, deadline); !waited) return waited;
      continue;
    }
    return {SocketStatus::Failed, error};
  }
  return {};
}

SocketStatus Socket::receive(std::string& data, std::size_t most, Deadline deadline) {
  for (;;) {
    if (SocketStatus waited = wait(false, deadline); !waited) return waited;
    const std::size_t had = data.size();
    data.resize(had + most);
    const long got = ReceiveSome(static_cast<Native>(handle_), data.data() + had, most);
    const int error = got < 0 ? LastError() : 0;
    data.resize(had + static_cast<std::size_t>(std::max(got, 0L)));
    if (got > 0) return {};
    if (got < 0 && (WouldBlock(error) || Interrupted(error))) continue;
    return {SocketStatus::Failed, error};
  }
}

SocketStatus Socket::bindUdp(std::uint32_t ipv4, std::uint16_t port, bool multicast, bool shared) {
  close();
  if (!StartSockets()) return fail(LastError());
  handle_ = static_cast<std::intptr_t>(OpenNative(AF_INET, SOCK_DGRAM, IPPROTO_UDP));
  if (!isOpen()) return fail(LastError());
  const Native s = static_cast<Native>(handle_);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(port);
  local.sin_addr.s_addr = htonl(multicast ? INADDR_ANY : ipv4);
  // Every program that follows the group gets each datagram. On a shared
  // unicast port Linux hands a unicast datagram to the listener bound last;
  // SO_REUSEPORT would spread them over the listeners by sender instead.
  if (multicast || shared) SetFlag(s, SOL_SOCKET, SO_REUSEADDR);
#ifdef SO_REUSEPORT
  if (multicast) SetFlag(s, SOL_SOCKET, SO_REUSEPORT);
#endif
  if (bind(s, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) return fail(LastError());
  if (multicast) {
    // Anyone on the network may send to the port itself; only the group's
    // datagrams come from the programs that follow it.
    if (!AskForDestination(s)) return fail(LastError());
    group_ = htonl(ipv4);
    // WSJT-X sends to the group on the loopback unless told otherwise.
    bool joined = Join(s, group_, htonl(INADDR_LOOPBACK));
    const int error = LastError();
    for (const std::uint32_t on : MulticastInterfaces(s)) joined = Join(s, group_, on) || joined;
    if (!joined) return fail(error);
  }
  return {};
}

SocketStatus Socket::receiveDatagram(std::string& datagram, milliseconds timeout) {
  const Native s = static_cast<Native>(handle_);
  const int ready = WaitReady(s, false, std::max(timeout, milliseconds(0)));
  if (ready < 0) return Interrupted(LastError()) ? SocketStatus{SocketStatus::TimedOut} : Failure(LastError());
  if (ready == 0) return {SocketStatus::TimedOut};
  // Clearing 64 KiB for each datagram would cost more than the datagram.
  if (!datagramBuffer_) datagramBuffer_.reset(new char[LargestDatagram]);
  char* const buffer = datagramBuffer_.get();
  std::uint32_t destination = 0;
  const long size = group_ != 0 ? ReceiveWithDestination(s, buffer, LargestDatagram, destination)
                                : ReceiveSome(s, buffer, LargestDatagram);
  if (size < 0) {
    const int error = LastError();
    if (Interrupted(error) || WouldBlock(error) || StaleDatagramError(error)) return {SocketStatus::TimedOut};
    return Failure(error);
  }
  if (destination != group_) return {SocketStatus::TimedOut};
  datagram.assign(buffer, static_cast<std::size_t>(size));
  return {};
}

SocketStatus Socket::ResolveIpv4(const std::string& host, std::uint32_t& ipv4) {
  StartSockets();
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return {SocketStatus::HostNotFound};
  ipv4 = ntohl(reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr);
  freeaddrinfo(found);
  return {};
}

SocketStatus Socket::sendDatagram(std::string_view datagram, std::uint32_t ipv4, std::uint16_t port) {
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  to.sin_addr.s_addr = htonl(ipv4);
  for (;;) {
    const long sent = SendTo(static_cast<Native>(handle_), datagram.data(), datagram.size(), to);
    if (sent >= 0) return {};
    const int error = LastError();
    if (!Interrupted(error)) return Failure(error);
  }
}

SocketStatus Socket::receiveDatagram(std::string& datagram, Deadline deadline, std::uint32_t& from) {
  for (;;) {
    if (SocketStatus waited = wait(false, deadline); !waited) return waited;
    datagram.resize(LargestDatagram);
    sockaddr_in sender{};
    const long size = ReceiveFrom(static_cast<Native>(handle_), datagram.data(), datagram.size(), sender);
    if (size >= 0) {
      datagram.resize(static_cast<std::size_t>(size));
      from = ntohl(sender.sin_addr.s_addr);
      return {};
    }
    const int error = LastError();
    if (!(Interrupted(error) || WouldBlock(error) || StaleDatagramError(error))) return Failure(error);
  }
}

}  // namespace pelvorn
