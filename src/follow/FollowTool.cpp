#include "FollowTool.h"

#include "arithmetic/NumberPatterns.h"
#include "common/StopRequest.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "common/ExitStatus.h"
#include "rotator/RotatorAntenna.h"
#include "rotator/RotatorSettings.h"
#include "rotator/RotatorTool.h"
#include "rotator/RotatorWorker.h"

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

// The rotator, turned on a thread of its own.
class WorkerTarget final : public RotatorTarget {
public:
  WorkerTarget(const std::string& address, const rotator::Options& options, char16_t decimalSeparator,
               std::FILE* err)
      : worker_(address, options, Events(options, decimalSeparator, err)) {}
  void turnTo(double direction) override { worker_.turnTo(direction); }

private:
  static rotator::Worker::Events Events(const rotator::Options& options, char16_t decimalSeparator, std::FILE* err) {
    rotator::Worker::Events events;
    events.commanded = [decimalSeparator, err](double azimuth) {
      std::string degrees;
      AppendDegrees(degrees, azimuth, decimalSeparator);
      Write(err, Fill(text::ErrorLine, {Fill(text::FollowRotatorTurns, {degrees})}));
    };
    events.position = [](double) {};
    events.withinDeadband = [options, err](double standing, double target) {
      Write(err, Fill(text::ErrorLine, {rotator::WithinDeadbandLine(options, standing, target)}));
    };
    events.failed = [err](const std::string& message) { Write(err, Fill(text::ErrorLine, {message})); };
    return events;
  }
  static void AppendDegrees(std::string& out, double value, char16_t decimalSeparator) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    for (const char* c = buffer; error == std::errc{} && c != end; ++c) {
      out += *c == '.' ? ToUtf8(std::u16string(1, decimalSeparator)) : std::string(1, *c);
    }
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
    const bool takesValue = name == "--own" || name == "--id" || name == "--settle" || name == "--deadband";
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
    } else if (name == "--deadband") {
      command.deadband = rotator::ParseDeadband(*value);
      if (!command.deadband) return Fill(text::BadDeadband, {*value});
    } else if (argument == "--park-on-exit") {
      command.parkOnExit = true;
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
  if (command.parkOnExit && !rotatorAddress) {
    return UsageError(err, Fill(text::RotatorCommandWithoutRotator, {"--park-on-exit"}));
  }
  rotator::Options rotatorOptions = rotator::OptionsFor(locale.decimalSeparator);
  if (command.deadband) rotatorOptions.deadband = *command.deadband;
  std::unique_ptr<WorkerTarget> rotator;
  if (command.options.turn != TurnMode::None) {
    if (!rotatorAddress) return UsageError(err, std::string(text::FollowTurnWithoutRotator));
    rotator = std::make_unique<WorkerTarget>(*rotatorAddress, rotatorOptions, locale.decimalSeparator, err);
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
  if (command.parkOnExit) {
    rotator.reset();  // cancels a turn still in flight
    if (!rotator::ParkOnCommand(*rotatorAddress, rotatorOptions, err)) return ExitRotatorFailed;
  }
  return StatusInterrupted;
}

}  // namespace pelvorn::follow
