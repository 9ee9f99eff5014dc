#pragma once

// The POSIX side of platform/sockets/Socket.cpp (Winsock's is in
// platform/win32/SocketSystem.h).

#include "common/SystemErrorText.h"

#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace pelvorn::sockets {

using Native = int;

inline bool StartSockets() { return true; }
inline int LastError() { return errno; }
inline std::string ErrorText(int error) { return SystemErrorText(error); }

inline bool InProgress(int error) { return error == EINPROGRESS; }
inline bool WouldBlock(int error) { return error == EAGAIN || error == EWOULDBLOCK; }
inline bool Interrupted(int error) { return error == EINTR; }
inline bool IsRefused(int error) { return error == ECONNREFUSED; }
inline bool IsUnreachable(int error) { return error == ENETUNREACH || error == EHOSTUNREACH; }
inline bool IsAddressInUse(int error) { return error == EADDRINUSE; }
inline bool StaleDatagramError(int) { return false; }

// Not inherited by the programs a front end starts.
inline Native OpenNative(int family, int type, int protocol) { return ::socket(family, type | SOCK_CLOEXEC, protocol); }
inline void CloseNative(Native s) { ::close(s); }
inline bool SetNonBlocking(Native s) { return fcntl(s, F_SETFL, fcntl(s, F_GETFL) | O_NONBLOCK) == 0; }

// 1 ready, 0 nothing within `wait`, -1 failed.
inline int WaitReady(Native s, bool writing, std::chrono::milliseconds wait) {
  pollfd entry{s, static_cast<short>(writing ? POLLOUT : POLLIN), 0};
  const int n = poll(&entry, 1, static_cast<int>(wait.count()));
  return n < 0 ? -1 : (n > 0 ? 1 : 0);
}

// MSG_NOSIGNAL: a closed peer must give an error, not SIGPIPE.
inline long SendSome(Native s, const char* data, std::size_t size) {
  return static_cast<long>(::send(s, data, size, MSG_NOSIGNAL));
}
inline long ReceiveSome(Native s, char* data, std::size_t size) { return static_cast<long>(::recv(s, data, size, 0)); }
inline long SendTo(Native s, const char* data, std::size_t size, const sockaddr_in& to) {
  return static_cast<long>(::sendto(s, data, size, MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&to), sizeof to));
}
inline long ReceiveFrom(Native s, char* data, std::size_t size, sockaddr_in& from) {
  socklen_t length = sizeof from;
  return static_cast<long>(::recvfrom(s, data, size, 0, reinterpret_cast<sockaddr*>(&from), &length));
}

// The IPv4 addresses (network byte order) of the interfaces that are up and
// can multicast, the loopback left out.
inline std::vector<std::uint32_t> MulticastInterfaces(Native) {
  std::vector<std::uint32_t> addresses;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return addresses;
  for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
    const unsigned wanted = IFF_UP | IFF_MULTICAST;
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET || (entry->ifa_flags & wanted) != wanted ||
        (entry->ifa_flags & IFF_LOOPBACK) != 0) {
      continue;
    }
    addresses.push_back(reinterpret_cast<const sockaddr_in*>(entry->ifa_addr)->sin_addr.s_addr);
  }
  freeifaddrs(list);
  return addresses;
}

// Makes ReceiveWithDestination learn where each datagram was sent.
inline bool AskForDestination(Native s) {
  const int on = 1;
  return setsockopt(s, IPPROTO_IP, IP_PKTINFO, &on, sizeof on) == 0;
}

// ReceiveSome, and the address the datagram was sent to in `destination`
// (network byte order; 0 when the system does not say).
inline long ReceiveWithDestination(Native s, char* data, std::size_t size, std::uint32_t& destination) {
  iovec part{data, size};
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))];
  msghdr message{};
  message.msg_iov = &part;
  message.msg_iovlen = 1;
  message.msg_control = control;
  message.msg_controllen = sizeof control;
  const long received = static_cast<long>(::recvmsg(s, &message, 0));
  destination = 0;
  for (cmsghdr* c = CMSG_FIRSTHDR(&message); received >= 0 && c != nullptr; c = CMSG_NXTHDR(&message, c)) {
    if (c->cmsg_level != IPPROTO_IP || c->cmsg_type != IP_PKTINFO) continue;
    in_pktinfo info;
    std::memcpy(&info, CMSG_DATA(c), sizeof info);
    destination = info.ipi_addr.s_addr;
  }
  return received;
}

}  // namespace pelvorn::sockets
