#include "RotatorConnection.h"

#include "common/Text.h"
#include "common/Texts.h"

#include <string>

namespace pelvorn::rotator {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A line longer than this is no answer of rotctld.
constexpr std::size_t LongestLine = 4096;
// What one receive reads at the most.
constexpr std::size_t Chunk = 1024;

}  // namespace

std::string SecondsText(milliseconds limit) {
  std::string number = std::to_string(limit.count() / 1000);
  if (limit.count() % 1000 != 0) number += ',' + std::to_string(limit.count() % 1000 / 100);
  return Fill(text::Seconds, {number});
}

Connection::Connection(milliseconds timeout, const std::atomic<bool>* cancel)
    : timeout_(timeout), cancel_(cancel) {}

Connection::~Connection() { close(); }

void Connection::close() {
  socket_.close();
  buffer_.clear();
}

Outcome Connection::lost() const {
  return Outcome::Fail(Failure::ConnectionLost, Fill(text::ConnectionLost, {peer_}));
}

Outcome Connection::timedOut(std::string_view what) const {
  return Outcome::Fail(Failure::Timeout, Fill(text::NoAnswerWithin, {peer_, what, SecondsText(timeout_)}));
}

Outcome Connection::outcome(SocketStatus status, std::string_view missing) const {
  if (status) return {};
  if (status.kind == SocketStatus::TimedOut) return timedOut(missing);
  if (status.kind == SocketStatus::Cancelled) return Outcome::Fail(Failure::Cancelled, std::string(text::Cancelled));
  return lost();
}

Outcome Connection::open(const Address& address) {
  close();
  peer_ = AddressText(address);
  const SocketStatus status = socket_.connect(address.host, address.port, within(Clock::now() + timeout_));
  switch (status.kind) {
    case SocketStatus::Done:
    case SocketStatus::TimedOut:
    case SocketStatus::Cancelled:
      return outcome(status, text::NoConnection);
    case SocketStatus::HostNotFound:
      return Outcome::Fail(Failure::HostNotFound, Fill(text::UnknownHost, {address.host}));
    case SocketStatus::Refused:
      return Outcome::Fail(Failure::Refused, Fill(text::ConnectionRefused, {peer_}));
    case SocketStatus::Unreachable:
      return Outcome::Fail(Failure::Refused, Fill(text::HostUnreachable, {peer_}));
    default:
      return Outcome::Fail(Failure::Refused,
                           Fill(text::ConnectFailed, {peer_, Fill(text::SystemError, {std::to_string(status.code)})}));
  }
}

Outcome Connection::send(std::string_view line) {
  if (!socket_.isOpen()) return lost();
  return outcome(socket_.send(line, within(Clock::now() + timeout_)), text::CommandNotSent);
}

Outcome Connection::receive(std::string& line) {
  return receive(line, Clock::now() + timeout_, {});
}

Outcome Connection::receive(std::string& line, Clock::time_point deadline, std::string_view missing) {
  if (!socket_.isOpen()) return lost();
  for (;;) {
    const auto end = buffer_.find('\n');
    if (end != std::string::npos) {
      line = buffer_.substr(0, end);
      buffer_.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return {};
    }
    if (buffer_.size() > LongestLine) {
      return Outcome::Fail(Failure::BadAnswer, Fill(text::AnswerLineTooLong, {peer_}));
    }
    const SocketStatus got = socket_.receive(buffer_, Chunk, within(deadline));
    if (!got) return outcome(got, !missing.empty() ? missing : text::NoAnswer);
  }
}

}  // namespace pelvorn::rotator
