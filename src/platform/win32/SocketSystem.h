#pragma once

// Winsock's side of platform/sockets/Socket.cpp (the POSIX one is in
// platform/posix/SocketSystem.h).

#include "common/Text.h"
#include "common/Texts.h"

#include <winsock2.h>
#include <mswsock.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace pelvorn::sockets {

using Native = SOCKET;

// Winsock wants WSAStartup once per process before any other call.
inline bool StartSockets() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}
inline int LastError() { return WSAGetLastError(); }
inline std::string ErrorText(int error) { return Fill(text::WinsockError, {std::to_string(error)}); }

inline bool InProgress(int error) { return error == WSAEWOULDBLOCK || error == WSAEINPROGRESS; }
inline bool WouldBlock(int error) { return error == WSAEWOULDBLOCK; }
inline bool Interrupted(int error) { return error == WSAEINTR; }
inline bool IsRefused(int error) { return error == WSAECONNREFUSED; }
inline bool IsUnreachable(int error) { return error == WSAENETUNREACH || error == WSAEHOSTUNREACH; }
inline bool IsAddressInUse(int error) { return error == WSAEADDRINUSE || error == WSAEACCES; }
// An earlier send to a closed port is reported on the next receive; it
// neither ends the listening nor counts as a datagram.
inline bool StaleDatagramError(int error) { return error == WSAEMSGSIZE || error == WSAECONNRESET; }

inline Native OpenNative(int family, int type, int protocol) { return socket(family, type, protocol); }
inline void CloseNative(Native s) { closesocket(s); }
inline bool SetNonBlocking(Native s) {
  u_long on = 1;
  return ioctlsocket(s, FIONBIO, &on) == 0;
}

// 1 ready, 0 nothing within `wait`, -1 failed. A failed connect shows in the
// exception set.
inline int WaitReady(Native s, bool writing, std::chrono::milliseconds wait) {
  fd_set ready;
  fd_set failed;
  FD_ZERO(&ready);
  FD_ZERO(&failed);
  FD_SET(s, &ready);
  FD_SET(s, &failed);
  timeval limit{static_cast<long>(wait.count() / 1000), static_cast<long>(wait.count() % 1000 * 1000)};
  const int n = select(0, writing ? nullptr : &ready, writing ? &ready : nullptr, &failed, &limit);
  return n < 0 ? -1 : (n > 0 ? 1 : 0);
}

inline long SendSome(Native s, const char* data, std::size_t size) {
  return send(s, data, static_cast<int>(std::min<std::size_t>(size, 65536)), 0);
}
inline long ReceiveSome(Native s, char* data, std::size_t size) { return recv(s, data, static_cast<int>(size), 0); }
inline long SendTo(Native s, const char* data, std::size_t size, const sockaddr_in& to) {
  return sendto(s, data, static_cast<int>(size), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
}
inline long ReceiveFrom(Native s, char* data, std::size_t size, sockaddr_in& from) {
  int length = sizeof from;
  return recvfrom(s, data, static_cast<int>(size), 0, reinterpret_cast<sockaddr*>(&from), &length);
}

// The IPv4 addresses (network byte order) of the interfaces that are up and
// can multicast, the loopback left out.
inline std::vector<std::uint32_t> MulticastInterfaces(Native s) {
  std::vector<std::uint32_t> addresses;
  INTERFACE_INFO interfaces[64];
  DWORD size = 0;
  if (WSAIoctl(s, SIO_GET_INTERFACE_LIST, nullptr, 0, interfaces, sizeof interfaces, &size, nullptr, nullptr) != 0) {
    return addresses;
  }
  for (DWORD i = 0; i < size / sizeof interfaces[0]; ++i) {
    const u_long flags = interfaces[i].iiFlags;
    if ((flags & IFF_UP) == 0 || (flags & IFF_MULTICAST) == 0 || (flags & IFF_LOOPBACK) != 0) continue;
    if (interfaces[i].iiAddress.Address.sa_family != AF_INET) continue;
    addresses.push_back(interfaces[i].iiAddress.AddressIn.sin_addr.s_addr);
  }
  return addresses;
}

// WSARecvMsg is found through the socket (Windows Vista and later).
inline LPFN_WSARECVMSG& ReceiveMessage() {
  static LPFN_WSARECVMSG function = nullptr;
  return function;
}

// Makes ReceiveWithDestination learn where each datagram was sent.
inline bool AskForDestination(Native s) {
  const DWORD on = 1;
  if (setsockopt(s, IPPROTO_IP, IP_PKTINFO, reinterpret_cast<const char*>(&on), sizeof on) != 0) return false;
  GUID id = WSAID_WSARECVMSG;
  DWORD size = 0;
  return ReceiveMessage() != nullptr || WSAIoctl(s, SIO_GET_EXTENSION_FUNCTION_POINTER, &id, sizeof id, &ReceiveMessage(),
                                                 sizeof ReceiveMessage(), &size, nullptr, nullptr) == 0;
}

// ReceiveSome, and the address the datagram was sent to in `destination`
// (network byte order; 0 when the system does not say).
inline long ReceiveWithDestination(Native s, char* data, std::size_t size, std::uint32_t& destination) {
  WSABUF part{static_cast<ULONG>(size), data};
  alignas(WSACMSGHDR) char control[WSA_CMSG_SPACE(sizeof(IN_PKTINFO))];
  WSAMSG message{};
  message.lpBuffers = &part;
  message.dwBufferCount = 1;
  message.Control = WSABUF{sizeof control, control};
  DWORD received = 0;
  destination = 0;
  if (ReceiveMessage()(s, &message, &received, nullptr, nullptr) != 0) return -1;
  for (WSACMSGHDR* c = WSA_CMSG_FIRSTHDR(&message); c != nullptr; c = WSA_CMSG_NXTHDR(&message, c)) {
    if (c->cmsg_level != IPPROTO_IP || c->cmsg_type != IP_PKTINFO) continue;
    IN_PKTINFO info;
    std::memcpy(&info, WSA_CMSG_DATA(c), sizeof info);
    destination = info.ipi_addr.s_addr;
  }
  return static_cast<long>(received);
}

}  // namespace pelvorn::sockets
