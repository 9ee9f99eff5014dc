#pragma once

#include <string>

namespace pelvorn::rotator {

// Why talking to the rotator failed.
enum class Failure {
  None,
  BadAddress,      // the configured address is no HOST[:PORT]
  HostNotFound,    // the host name does not resolve
  Refused,         // nothing listens there, or the host is unreachable
  Timeout,         // no connection or no answer in time
  ConnectionLost,  // the daemon closed or reset the connection
  Rejected,        // the daemon answered "RPRT <negative code>"
  BadAnswer,       // an answer the program does not understand
  OutOfRange,      // the direction lies outside the rotator's range
  Cancelled,       // the caller gave up (window closed, newer command)
};

// What one step of the exchange gave: nothing wrong, or a failure with its
// German message (UTF-8) for the user.
struct Outcome {
  Failure failure = Failure::None;
  std::string message;

  explicit operator bool() const { return failure == Failure::None; }
  static Outcome Fail(Failure failure, std::string message) { return {failure, std::move(message)}; }
};

}  // namespace pelvorn::rotator
