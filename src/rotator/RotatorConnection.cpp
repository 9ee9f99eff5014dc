#include "RotatorConnection.h"

#include "common/Text.h"
#include "common/Texts.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace pelvorn::rotator {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Cancel requests are looked at this often while waiting.
constexpr milliseconds CancelPoll{100};
// A line longer than this is no answer of rotctld.
constexpr std::size_t LongestLine = 4096;

#ifdef _WIN32
using Socket = SOCKET;
const Socket NoSocket = INVALID_SOCKET;

// Winsock wants WSAStartup once per process before any other call.
void StartWinsock() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  (void)started;
}
int LastError() { return WSAGetLastError(); }
bool InProgress(int error) { return error == WSAEWOULDBLOCK || error == WSAEINPROGRESS; }
bool WouldBlock(int error) { return error == WSAEWOULDBLOCK; }
bool Interrupted(int error) { return error == WSAEINTR; }
bool IsRefused(int error) { return error == WSAECONNREFUSED; }
bool IsUnreachable(int error) { return error == WSAENETUNREACH || error == WSAEHOSTUNREACH; }
void CloseSocket(Socket s) { closesocket(s); }
Socket OpenSocket(const addrinfo& info) {
  Socket s = socket(info.ai_family, info.ai_socktype, info.ai_protocol);
  u_long on = 1;
  if (s != NoSocket && ioctlsocket(s, FIONBIO, &on) != 0) {
    closesocket(s);
    return NoSocket;
  }
  return s;
}
// 1 ready, 0 nothing within `wait`, -1 failed. A failed connect shows in the
// exception set.
int WaitReady(Socket s, bool writing, milliseconds wait) {
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
long SendSome(Socket s, const char* data, std::size_t size) {
  return send(s, data, static_cast<int>(std::min<std::size_t>(size, 65536)), 0);
}
long ReceiveSome(Socket s, char* data, std::size_t size) {
  return recv(s, data, static_cast<int>(size), 0);
}
#else
using Socket = int;
const Socket NoSocket = -1;

void StartWinsock() {}
int LastError() { return errno; }
bool InProgress(int error) { return error == EINPROGRESS; }
bool WouldBlock(int error) { return error == EAGAIN || error == EWOULDBLOCK; }
bool Interrupted(int error) { return error == EINTR; }
bool IsRefused(int error) { return error == ECONNREFUSED; }
bool IsUnreachable(int error) { return error == ENETUNREACH || error == EHOSTUNREACH; }
void CloseSocket(Socket s) { ::close(s); }
Socket OpenSocket(const addrinfo& info) {
  const Socket s = socket(info.ai_family, info.ai_socktype | SOCK_CLOEXEC, info.ai_protocol);
  if (s != NoSocket && fcntl(s, F_SETFL, fcntl(s, F_GETFL) | O_NONBLOCK) != 0) {
    ::close(s);
    return NoSocket;
  }
  return s;
}
int WaitReady(Socket s, bool writing, milliseconds wait) {
  pollfd entry{s, static_cast<short>(writing ? POLLOUT : POLLIN), 0};
  const int n = poll(&entry, 1, static_cast<int>(wait.count()));
  return n < 0 ? -1 : (n > 0 ? 1 : 0);
}
long SendSome(Socket s, const char* data, std::size_t size) {
  // MSG_NOSIGNAL: a closed peer must give an error, not SIGPIPE.
  return static_cast<long>(::send(s, data, size, MSG_NOSIGNAL));
}
long ReceiveSome(Socket s, char* data, std::size_t size) {
  return static_cast<long>(::recv(s, data, size, 0));
}
#endif

Socket AsSocket(std::uintptr_t handle) { return static_cast<Socket>(handle); }

// The error a non-blocking connect ended with (0 when it succeeded).
int ConnectError(Socket s) {
  int error = 0;
  socklen_t size = sizeof error;
  if (getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0) {
    return LastError();
  }
  return error;
}

// "3 s", "0,5 s": the time limit as the messages give it.
std::string Seconds(milliseconds limit) {
  std::string number = std::to_string(limit.count() / 1000);
  if (limit.count() % 1000 != 0) number += ',' + std::to_string(limit.count() % 1000 / 100);
  return Fill(text::Seconds, {number});
}

}  // namespace

Connection::Connection(milliseconds timeout, const std::atomic<bool>* cancel)
    : timeout_(timeout), cancel_(cancel) {}

Connection::~Connection() { close(); }

void Connection::close() {
  if (connected_) CloseSocket(AsSocket(socket_));
  connected_ = false;
  buffer_.clear();
}

Outcome Connection::lost() const {
  return Outcome::Fail(Failure::ConnectionLost, Fill(text::ConnectionLost, {peer_}));
}

Outcome Connection::timedOut(std::string_view what) const {
  return Outcome::Fail(Failure::Timeout, Fill(text::NoAnswerWithin, {peer_, what, Seconds(timeout_)}));
}

Outcome Connection::waitFor(bool writing, Clock::time_point deadline, std::string_view missing) {
  for (;;) {
    if (cancel_ != nullptr && cancel_->load()) {
      return Outcome::Fail(Failure::Cancelled, std::string(text::Cancelled));
    }
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      return timedOut(!missing.empty() ? missing : writing ? text::CommandNotSent : text::NoAnswer);
    }
    const int ready = WaitReady(AsSocket(socket_), writing, std::min(left + milliseconds(1), CancelPoll));
    if (ready > 0) return {};
    if (ready < 0 && !Interrupted(LastError())) return lost();
  }
}

Outcome Connection::open(const Address& address) {
  close();
  peer_ = AddressText(address);
  StartWinsock();
  const auto deadline = Clock::now() + timeout_;

  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* found = nullptr;
  const std::string port = std::to_string(address.port);
  if (getaddrinfo(address.host.c_str(), port.c_str(), &hints, &found) != 0 || found == nullptr) {
    return Outcome::Fail(Failure::HostNotFound,
                         Fill(text::UnknownHost, {address.host}));
  }

  std::optional<Outcome> ended;  // connected, timed out or cancelled
  int error = 0;
  for (const addrinfo* info = found; info != nullptr && !ended; info = info->ai_next) {
    const Socket s = OpenSocket(*info);
    if (s == NoSocket) {
      error = LastError();
      continue;
    }
    socket_ = static_cast<std::uintptr_t>(s);
    connected_ = true;
    error = connect(s, info->ai_addr, static_cast<socklen_t>(info->ai_addrlen)) == 0 ? 0 : LastError();
    if (InProgress(error)) {
      const Outcome waited = waitFor(true, deadline);
      if (waited.failure == Failure::Timeout) {
        ended = timedOut(text::NoConnection);
      } else if (waited.failure == Failure::Cancelled) {
        ended = waited;
      }
      error = waited ? ConnectError(s) : LastError();
    }
    if (error == 0 && !ended) ended = Outcome{};
    if (!ended || !*ended) close();
  }
  freeaddrinfo(found);
  if (ended) return *ended;

  if (IsRefused(error)) return Outcome::Fail(Failure::Refused, Fill(text::ConnectionRefused, {peer_}));
  if (IsUnreachable(error)) return Outcome::Fail(Failure::Refused, Fill(text::HostUnreachable, {peer_}));
  return Outcome::Fail(Failure::Refused,
                       Fill(text::ConnectFailed, {peer_, Fill(text::SystemError, {std::to_string(error)})}));
}

Outcome Connection::send(std::string_view line) {
  if (!connected_) return lost();
  const auto deadline = Clock::now() + timeout_;
  while (!line.empty()) {
    const long sent = SendSome(AsSocket(socket_), line.data(), line.size());
    if (sent > 0) {
      line.remove_prefix(static_cast<std::size_t>(sent));
      continue;
    }
    const int error = LastError();
    if (sent < 0 && Interrupted(error)) continue;
    if (sent < 0 && WouldBlock(error)) {
      if (Outcome waited = waitFor(true, deadline); !waited) return waited;
      continue;
    }
    return lost();
  }
  return {};
}

Outcome Connection::receive(std::string& line) {
  if (!connected_) return lost();
  return receive(line, Clock::now() + timeout_, {});
}

Outcome Connection::receive(std::string& line, Clock::time_point deadline, std::string_view missing) {
  if (!connected_) return lost();
  for (;;) {
    const auto end = buffer_.find('\n');
    if (end != std::string::npos) {
      line = buffer_.substr(0, end);
      buffer_.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return {};
    }
    if (buffer_.size() > LongestLine) {
      return Outcome::Fail(Failure::BadAnswer,
                           Fill(text::AnswerLineTooLong, {peer_}));
    }
    if (Outcome waited = waitFor(false, deadline, missing); !waited) return waited;
    char chunk[1024];
    const long got = ReceiveSome(AsSocket(socket_), chunk, sizeof chunk);
    if (got > 0) {
      buffer_.append(chunk, static_cast<std::size_t>(got));
      continue;
    }
    if (got < 0 && (WouldBlock(LastError()) || Interrupted(LastError()))) continue;
    return lost();
  }
}

}  // namespace pelvorn::rotator
