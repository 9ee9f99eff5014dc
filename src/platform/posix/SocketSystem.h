#pragma once

// The POSIX side of platform/sockets/Socket.cpp (Winsock's is in
// platform/win32/SocketSystem.h).

#include "common/SystemErrorText.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>

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

}  // namespace pelvorn::sockets
