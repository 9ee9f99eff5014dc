#pragma once

#include "RotatorAddress.h"
#include "RotatorFailure.h"
#include "common/Socket.h"

#include <atomic>
#include <chrono>
#include <string>
#include <string_view>

namespace pelvorn::rotator {

// "3 s", "0,5 s": a time limit as the messages give it.
std::string SecondsText(std::chrono::milliseconds limit);

// One TCP connection to rotctld, line by line, with a hard time limit on
// every step: connecting, sending a line, receiving a line. Nothing blocks
// longer than `timeout`, and a set `cancel` flag ends any wait within a
// tenth of a second.
class Connection {
public:
  explicit Connection(std::chrono::milliseconds timeout,
                      const std::atomic<bool>* cancel = nullptr);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Resolves `address` and connects to the first of its addresses that
  // accepts, all within the time limit.
  Outcome open(const Address& address);

  // Sends `line` (ending in "\n") completely.
  Outcome send(std::string_view line);

  // Receives the next line, without its "\n" (and "\r").
  Outcome receive(std::string& line);

  // The same, by `deadline`: for a line of an answer whose lines must all
  // arrive within one limit. A timeout names `missing` (text::NoAnswerWithin).
  Outcome receive(std::string& line, std::chrono::steady_clock::time_point deadline, std::string_view missing);

  // Closes the connection; open may be called again.
  void close();

private:
  Deadline within(std::chrono::steady_clock::time_point at) const { return {at, cancel_}; }
  // The outcome of a socket call; a timeout names `missing`.
  Outcome outcome(SocketStatus status, std::string_view missing) const;
  Outcome lost() const;
  Outcome timedOut(std::string_view what) const;

  std::chrono::milliseconds timeout_;
  const std::atomic<bool>* cancel_;
  std::string peer_;
  std::string buffer_;
  Socket socket_;
};

}  // namespace pelvorn::rotator
