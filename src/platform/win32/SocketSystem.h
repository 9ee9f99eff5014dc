#pragma once

// Winsock's side of platform/sockets/Socket.cpp (the POSIX one is in
// platform/posix/SocketSystem.h).

#include "common/Text.h"
#include "common/Texts.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <chrono>
#include <string>

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

}  // namespace pelvorn::sockets
