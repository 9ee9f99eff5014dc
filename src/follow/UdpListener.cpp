#include "UdpListener.h"

#include "common/SystemErrorText.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "follow/Follower.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#endif

#include <charconv>

namespace pelvorn::follow {
namespace {

constexpr std::size_t LargestDatagram = 65536;

#ifdef _WIN32
using Socket = SOCKET;
constexpr std::intptr_t NoSocket = static_cast<std::intptr_t>(INVALID_SOCKET);
int LastError() { return WSAGetLastError(); }
bool AddressInUse(int error) { return error == WSAEADDRINUSE || error == WSAEACCES; }
std::string ErrorText(int error) { return Fill(text::WinsockError, {std::to_string(error)}); }
void Close(std::intptr_t socket) { closesocket(static_cast<Socket>(socket)); }
bool StartWinsock() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}
#else
using Socket = int;
constexpr std::intptr_t NoSocket = -1;
int LastError() { return errno; }
bool AddressInUse(int error) { return error == EADDRINUSE; }
std::string ErrorText(int error) { return SystemErrorText(error); }
void Close(std::intptr_t socket) { close(static_cast<Socket>(socket)); }
bool StartWinsock() { return true; }
#endif

std::string Reason(int error) {
  return AddressInUse(error) ? std::string(text::FollowAddressInUse) : ErrorText(error);
}

bool SetFlag(Socket socket, int level, int option) {
  const int on = 1;
  return setsockopt(socket, level, option, reinterpret_cast<const char*>(&on), sizeof on) == 0;
}

}  // namespace

std::optional<ListenAddress> ParseListenAddress(std::string_view text) {
  ListenAddress address;
  address.text = std::string(text);
  const std::size_t colon = text.rfind(':');
  std::string_view host = text.substr(0, colon);
  if (colon != std::string_view::npos) {
    const std::string_view port = text.substr(colon + 1);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
    if (port.empty() || error != std::errc{} || end != port.data() + port.size() || value == 0 || value > 65535) {
      return std::nullopt;
    }
    address.port = static_cast<std::uint16_t>(value);
  } else {
    address.text += ":2237";
  }
  std::uint32_t ipv4 = 0;
  for (int part = 0; part < 4; ++part) {
    const std::size_t dot = host.find('.');
    if ((part < 3) == (dot == std::string_view::npos)) return std::nullopt;
    const std::string_view number = host.substr(0, dot);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || number.size() > 3 || error != std::errc{} || end != number.data() + number.size() || value > 255) {
      return std::nullopt;
    }
    ipv4 = ipv4 << 8 | value;
    host.remove_prefix(part < 3 ? dot + 1 : host.size());
  }
  address.ipv4 = ipv4;
  return address;
}

UdpListener::~UdpListener() {
  if (socket_ != NoSocket) Close(socket_);
}

std::string UdpListener::open(const ListenAddress& address) {
  const auto fail = [&](int error) {
    if (socket_ != NoSocket) Close(socket_);
    socket_ = NoSocket;
    return Fill(text::FollowCannotListen, {address.text, Reason(error)});
  };
  if (!StartWinsock()) return fail(LastError());
#ifdef SOCK_CLOEXEC
  // Not inherited by the programs a front end starts.
  const Socket socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
#else
  const Socket socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
#endif
  socket_ = static_cast<std::intptr_t>(socket);
  if (socket_ == NoSocket) return fail(LastError());
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(address.port);
  local.sin_addr.s_addr = htonl(address.multicast() ? INADDR_ANY : address.ipv4);
  if (address.multicast()) {
    // Every program that follows the group gets each datagram.
    SetFlag(socket, SOL_SOCKET, SO_REUSEADDR);
#ifdef SO_REUSEPORT
    SetFlag(socket, SOL_SOCKET, SO_REUSEPORT);
#endif
  }
  if (bind(socket, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) return fail(LastError());
  if (address.multicast()) {
    ip_mreq request{};
    request.imr_multiaddr.s_addr = htonl(address.ipv4);
    request.imr_interface.s_addr = htonl(INADDR_ANY);
    const bool joined = setsockopt(socket, IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char*>(&request),
                                   sizeof request) == 0;
    const int error = LastError();
    // WSJT-X sends to the group on the loopback unless told otherwise.
    request.imr_interface.s_addr = htonl(INADDR_LOOPBACK);
    const bool loopback = setsockopt(socket, IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char*>(&request),
                                     sizeof request) == 0;
    if (!joined && !loopback) return fail(error);
  }
  return {};
}

UdpListener::Wait UdpListener::receive(std::string& datagram, std::chrono::milliseconds timeout, std::string& error) {
  const Socket socket = static_cast<Socket>(socket_);
  const int milliseconds = static_cast<int>(timeout.count() < 0 ? 0 : timeout.count());
#ifdef _WIN32
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(socket, &readable);
  timeval limit{milliseconds / 1000, (milliseconds % 1000) * 1000};
  const int ready = select(0, &readable, nullptr, nullptr, &limit);
  if (ready < 0) {
    error = ErrorText(LastError());
    return Wait::Failed;
  }
#else
  pollfd entry{socket, POLLIN, 0};
  const int ready = poll(&entry, 1, milliseconds);
  if (ready < 0) {
    if (errno == EINTR) return Wait::Timeout;
    error = ErrorText(errno);
    return Wait::Failed;
  }
#endif
  if (ready == 0) return Wait::Timeout;
  datagram.resize(LargestDatagram);
  const auto size = recv(socket, datagram.data(), static_cast<int>(datagram.size()), 0);
  if (size < 0) {
    const int last = LastError();
#ifdef _WIN32
    // An earlier send to a closed port is reported on the next receive; it
    // neither ends the listening nor counts as a datagram.
    if (last == WSAEMSGSIZE || last == WSAECONNRESET) return Wait::Timeout;
#else
    if (last == EINTR || last == EAGAIN) return Wait::Timeout;
#endif
    error = ErrorText(last);
    return Wait::Failed;
  }
  datagram.resize(static_cast<std::size_t>(size));
  return Wait::Datagram;
}

}  // namespace pelvorn::follow
