#include "RotctldRotator.h"

#include "RotctlLines.h"
#include "common/Text.h"
#include "common/Texts.h"

#include <cmath>
#include <thread>

namespace pelvorn::rotator {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view DumpStateCommand = "\\dump_state\n";
constexpr std::string_view PositionCommand = "p\n";
// The last line of the daemon's answer to "\dump_state".
constexpr std::string_view DumpStateEnd = "done";
// rotctld's answer has about a dozen short lines; a peer that sends more
// (or never ends) is no rotctld. The whole answer has the time limit of one step.
constexpr std::size_t LongestDumpStateLines = 200;
constexpr std::size_t LongestDumpStateBytes = 16 * 1024;

}  // namespace

RotctldRotator::RotctldRotator(Address address, Options options)
    : Rotator(options), address_(std::move(address)), connection_(options.timeout, options.cancel) {}

Outcome RotctldRotator::badAnswer(std::string_view what, std::string_view line) const {
  return Outcome::Fail(Failure::BadAnswer,
                       Fill(text::UnclearAnswer, {AddressText(address_), what, PeerText(line, 80)}));
}

// Sends `command` and reads `lines` answer lines, or up to DumpStateEnd
// when `lines` is 0 (bounded in lines, bytes and time as a whole). A report line ends the answer early: "RPRT 0" where no
// values were expected, a negative code as Rejected.
Outcome RotctldRotator::exchange(std::string_view command, std::vector<std::string>& answer,
                          std::size_t lines) {
  answer.clear();
  const auto deadline = Clock::now() + options_.timeout;
  std::size_t bytes = 0;
  if (Outcome sent = connection_.send(command); !sent) return sent;
  for (;;) {
    std::string line;
    Outcome received = lines != 0 ? connection_.receive(line)
                       : connection_.receive(line, deadline,
                                             bytes == 0 ? text::NoAnswer : text::NoFullAnswer);
    if (!received) return received;
    bytes += line.size() + 1;
    if (lines == 0 && (answer.size() >= LongestDumpStateLines || bytes > LongestDumpStateBytes)) {
      return Outcome::Fail(Failure::BadAnswer,
                           Fill(text::AnswerTooLong, {AddressText(address_), command.substr(0, command.size() - 1),
                                                      std::to_string(LongestDumpStateLines),
                                                      std::to_string(LongestDumpStateBytes / 1024)}));
    }
    if (const auto code = ParseReport(line)) {
      if (*code == 0 && lines == 1 && answer.empty()) return {};
      if (*code < 0) {
        return Outcome::Fail(Failure::Rejected,
                             Fill(text::CommandRejected, {AddressText(address_), std::to_string(*code)}));
      }
      return badAnswer(command.substr(0, command.size() - 1), line);
    }
    if (lines == 0 && line == DumpStateEnd) return {};
    answer.push_back(line);
    if (lines != 0 && answer.size() == lines) return {};
  }
}

void RotctldRotator::dropConnection() {
  connection_.close();
  connected_ = false;
}

Outcome RotctldRotator::connect() {
  if (connected_) return {};
  if (Outcome opened = connection_.open(address_); !opened) return opened;
  std::vector<std::string> state;
  if (Outcome asked = exchange(DumpStateCommand, state, 0); !asked) {
    dropConnection();
    return asked;
  }
  const auto range = RangeFromDumpState(state);
  if (!range) {
    dropConnection();
    return Outcome::Fail(Failure::BadAnswer, Fill(text::NoAzimuthRange, {AddressText(address_)}));
  }
  range_ = *range;
  elevation_ = ElevationFromDumpState(state);
  connected_ = true;
  return {};
}

Outcome RotctldRotator::position(double& azimuth) {
  if (Outcome connected = connect(); !connected) return connected;
  std::vector<std::string> answer;
  Outcome asked = exchange(PositionCommand, answer, 2);
  if (asked && answer.size() == 2) {
    if (const auto value = ParseNumber(answer[0])) {
      azimuth = *value;
      return {};
    }
    asked = badAnswer("p", answer[0]);
  } else if (asked) {
    asked = badAnswer("p", "RPRT 0");
  }
  if (asked.failure != Failure::Rejected) dropConnection();
  return asked;
}

Outcome RotctldRotator::command(std::string_view line, std::string_view name) {
  if (Outcome connected = connect(); !connected) return connected;
  std::vector<std::string> answer;
  Outcome done = exchange(line, answer, 1);
  if (done && !answer.empty()) done = badAnswer(name, answer.front());
  if (!done && done.failure != Failure::Rejected) dropConnection();
  return done;
}

Outcome RotctldRotator::stop() { return command("S\n", "S"); }
Outcome RotctldRotator::parkItself() { return command("K\n", "K"); }

Outcome RotctldRotator::turnTo(double direction, Turn& turn) {
  turn = {};
  if (Outcome connected = connect(); !connected) return connected;
  // What the window shows is what the antenna gets.
  const double shown = std::round(direction * 100.0) / 100.0;
  double current = 0.0;
  // A rotator that cannot tell its position is turned all the same.
  if (Outcome asked = position(current); asked) {
    turn.standing = current;
  } else if (asked.failure != Failure::Rejected) {
    return asked;
  }
  if (turn.standing && withinDeadband(*turn.standing, shown)) {
    turn.withinDeadband = true;
    return {};
  }
  const auto azimuth = MapIntoRange(shown, range_, turn.standing);
  if (!azimuth) {
    return Outcome::Fail(Failure::OutOfRange,
                         Fill(text::OutOfAzimuthRange, {degrees(shown), AddressText(address_),
                                                        degrees(range_.minimum), degrees(range_.maximum)}));
  }
  if (Outcome set = command(SetPositionLine(*azimuth, elevation_), "P"); !set) return set;
  turn.sent = *azimuth;
  return {};
}

}  // namespace pelvorn::rotator
