#include "FollowTool.h"

#include "arithmetic/NumberPatterns.h"
#include "common/StopRequest.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "rotator/RotatorSettings.h"
#include "rotator/RotatorWorker.h"
#include "rotator/RotctlLines.h"

#include <atomic>
#include <charconv>
#include <cmath>
#include <ctime>
#include <memory>

namespace pelvorn::follow {
namespace {

constexpr int StatusInterrupted = 0;
// How soon an interrupt ends the wait for a datagram.
constexpr std::chrono::milliseconds StopCheck{100};

bool Write(std::FILE* stream, const std::string& text) {
  return text.empty() || (std::fwrite(text.data(), 1, text.size(), stream) == text.size() && std::fflush(stream) == 0);
}

// The rotator behind rotctld, turned on a thread of its own.
class WorkerTarget final : public RotatorTarget {
public:
  WorkerTarget(const std::string& address, char16_t decimalSeparator, std::FILE* err)
      : worker_(address, Options(decimalSeparator), Events(decimalSeparator, err)) {}
  void turnTo(double direction) override { worker_.turnTo(direction); }

private:
  static rotator::Options Options(char16_t decimalSeparator) {
    rotator::Options options;
    options.decimalSeparator = decimalSeparator < 0x80 ? static_cast<char>(decimalSeparator) : ',';
    return options;
  }
  static rotator::Worker::Events Events(char16_t decimalSeparator, std::FILE* err) {
    rotator::Worker::Events events;
    events.commanded = [decimalSeparator, err](double azimuth) {
      const std::string degrees = rotator::DegreesWithSeparator(azimuth, decimalSeparator);
      Write(err, Fill(text::ErrorLine, {Fill(text::FollowRotatorTurns, {degrees})}));
    };
    events.position = [](double) {};
    events.failed = [err](const std::string& message) { Write(err, Fill(text::ErrorLine, {message})); };
    return events;
  }

  rotator::Worker worker_;
};

int UsageError(std::FILE* err, const std::string& problem) {
  Write(err, Fill(text::ErrorLine, {problem}) + std::string(text::FollowUsage) + "\n");
  return FollowUnusable;
}

}  // namespace

std::string ParseFollowCommand(const std::vector<std::string>& arguments, FollowCommand& command) {
  std::size_t i = 1;
  if (arguments.size() > 1 && !arguments[1].starts_with("--")) {
    const auto address = ParseListenAddress(arguments[1]);
    if (!address) return Fill(text::FollowBadAddress, {arguments[1]});
    command.address = *address;
    i = 2;
  }
  for (; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    std::optional<std::string> value;
    if (equals != std::string::npos) value = argument.substr(equals + 1);
    const bool takesValue = name == "--own" || name == "--id" || name == "--settle";
    if (takesValue && !value) {
      if (i + 1 == arguments.size()) return Fill(text::FollowMissingValue, {name});
      value = arguments[++i];
    }
    if (name == "--own") {
      if (NormalisedGrid(*value).empty()) return Fill(text::FollowBadOwnLocator, {*value});
      command.options.ownLocator = *value;
    } else if (name == "--id") {
      command.options.id = *value;
    } else if (name == "--settle") {
      double seconds = -1;
      const auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), seconds);
      if (value->empty() || error != std::errc{} || end != value->data() + value->size() || !(seconds >= 0) ||
          seconds > 3600) {
        return Fill(text::FollowBadSettle, {*value});
      }
      command.options.settle = std::chrono::milliseconds(std::lround(seconds * 1000));
    } else if (argument == "--turn") {
      command.options.turn = TurnMode::ShortPath;
    } else if (argument == "--turn=long") {
      command.options.turn = TurnMode::LongPath;
    } else if (argument == "--tsv") {
      command.options.tsv = true;
    } else if (argument == "--window") {
      command.window = true;
    } else {
      return Fill(text::UnknownOption, {argument});
    }
  }
  if (command.window && command.options.tsv) return Fill(text::FollowNotWithWindow, {"--tsv"});
  if (command.window && command.options.turn != TurnMode::None) return Fill(text::FollowNotWithWindow, {"--turn"});
  return {};
}

bool AsksForFollowingWindow(const std::vector<std::string>& arguments) {
  if (arguments.empty() || arguments.front() != FollowOption) return false;
  for (const std::string& argument : arguments) {
    if (argument == "--window") return true;
  }
  return false;
}

int RunFollowTool(const std::vector<std::string>& arguments, const NumberLocale& locale,
                  const std::optional<std::string>& rotatorAddress, std::FILE* out, std::FILE* err) {
  FollowCommand command;
  if (const std::string problem = ParseFollowCommand(arguments, command); !problem.empty()) {
    return UsageError(err, problem);
  }
  // Only the Linux window follows; a program without it names the option.
  if (command.window) return UsageError(err, std::string(text::FollowNoWindowHere));
  std::unique_ptr<WorkerTarget> rotator;
  if (command.options.turn != TurnMode::None) {
    if (!rotatorAddress) return UsageError(err, std::string(text::FollowTurnWithoutRotator));
    rotator = std::make_unique<WorkerTarget>(*rotatorAddress, locale.decimalSeparator, err);
  }

  UdpListener listener;
  if (const std::string problem = listener.open(command.address); !problem.empty()) {
    Write(err, Fill(text::ErrorLine, {problem}));
    return FollowUnusable;
  }
  const std::atomic<bool>& stopRequested = CatchStopRequests();
  Follower follower(command.options, locale, rotator.get());
  bool written = (!command.options.tsv || Write(out, std::string(text::FollowTsvHeader) + "\n")) &&
                 Write(err, Fill(text::ErrorLine, {Fill(text::FollowListening, {command.address.text})}));
  std::string datagram, problem;
  while (written && !stopRequested) {
    const FollowClock::time_point now = FollowClock::now();
    const std::optional<FollowClock::time_point> due = follower.tick(now);
    std::chrono::milliseconds wait = StopCheck;
    if (due) wait = std::min(wait, std::chrono::ceil<std::chrono::milliseconds>(*due - now));
    const UdpListener::Wait outcome = listener.receive(datagram, wait, problem);
    if (outcome == UdpListener::Wait::Failed) {
      Write(err, Fill(text::ErrorLine, {Fill(text::FollowReceiveFailed, {command.address.text, problem})}));
      return FollowUnusable;
    }
    if (outcome != UdpListener::Wait::Datagram) continue;
    const FollowOutput output = follower.take(datagram, FollowClock::now(), std::time(nullptr));
    written = Write(out, output.out);
    Write(err, output.err);
  }
  if (!written) {
    Write(err, Fill(text::ErrorLine, {text::OutputNotWritable}));
    return FollowUnusable;
  }
  if (follower.skipped() > 0) {
    Write(err, Fill(text::ErrorLine, {Fill(text::FollowSkipped, {std::to_string(follower.skipped())})}));
  }
  return StatusInterrupted;
}

}  // namespace pelvorn::follow
