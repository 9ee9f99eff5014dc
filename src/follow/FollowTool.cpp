#include "FollowTool.h"

#include "arithmetic/NumberPatterns.h"
#include "common/StopRequest.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "common/ExitStatus.h"
#include "follow/FollowLoop.h"
#include "rotator/RotatorAntenna.h"
#include "rotator/RotatorSettings.h"
#include "rotator/RotatorTool.h"
#include "rotator/RotatorWorker.h"
#include "rotator/RotctlLines.h"
#include "arithmetic/NormalisedDegrees.h"

#include <atomic>
#include <charconv>
#include <cmath>
#include <ctime>
#include <memory>

namespace pelvorn::follow {
namespace {

constexpr int StatusInterrupted = 0;

// A stop request ends a wait for a full pipe; the line is then lost.
bool Write(std::FILE* stream, const std::string& text) {
  return text.empty() || WriteUnlessStopped(stream, text) != WriteOutcome::Failed;
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
    events.commanded = [decimalSeparator, err](double azimuth) { Write(err, RotatorTurnsLine(azimuth, decimalSeparator)); };
    events.position = [](double) {};
    events.withinDeadband = [options, err](double standing, double target) {
      Write(err, Fill(text::ErrorLine, {rotator::WithinDeadbandLine(options, standing, target)}));
    };
    events.failed = [err](const std::string& message) { Write(err, Fill(text::ErrorLine, {message})); };
    return events;
  }

  rotator::Worker worker_;
};

}  // namespace

std::string RotatorTurnsLine(double azimuth, char16_t decimalSeparator) {
  const auto degrees = [decimalSeparator](double value) { return rotator::DegreesWithSeparator(value, decimalSeparator); };
  // Rounded before it is turned into 0..360, so that 359.999 shows as 0,00.
  const std::string compass = degrees(NormalisedDegrees(std::round(azimuth * 100) / 100));
  const std::string taken = degrees(azimuth);
  return Fill(text::ErrorLine, {compass == taken ? Fill(text::FollowRotatorTurns, {compass})
                                                 : Fill(text::FollowRotatorTurnsAs, {compass, taken})});
}

std::string ReadFollowCommand(const ReadOptions& read, FollowCommand& command) {
  std::vector<std::string> addresses = read.operands;
  if (const auto value = read.value(FollowOption)) addresses.insert(addresses.begin(), *value);
  if (addresses.size() > 1) return std::string(text::FollowOneAddress);
  if (!addresses.empty()) {
    const auto source = ParseSourceAddress(addresses.front());
    if (!source) return Fill(text::FollowBadAddress, {addresses.front()});
    command.source = *source;
  }
  if (const auto own = read.value("--own")) {
    if (NormalisedGrid(*own).empty()) return Fill(text::FollowBadOwnLocator, {*own});
    command.options.ownLocator = *own;
  }
  if (command.source.kind == SourceKind::N1mm && !command.options.ownLocator) return std::string(text::FollowN1mmNeedsOwn);
  if (const auto id = read.value("--id")) command.options.id = *id;
  if (const auto value = read.value("--settle")) {
    double seconds = -1;
    const auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), seconds);
    if (value->empty() || error != std::errc{} || end != value->data() + value->size() || !(seconds >= 0) ||
        seconds > 3600) {
      return Fill(text::FollowBadSettle, {*value});
    }
    command.options.settle = std::chrono::milliseconds(std::lround(seconds * 1000));
  }
  for (const ReadOptions::Given& given : read.options) {
    if (given.name != "--turn") continue;
    if (given.value && *given.value != "long") return Fill(text::UnknownOption, {"--turn=" + *given.value});
    command.options.turn = given.value ? TurnMode::LongPath : TurnMode::ShortPath;
  }
  command.options.tsv = read.has("--tsv");
  command.window = read.has("--window");
  command.parkOnExit = read.has("--park-on-exit");
  if (command.window && command.options.tsv) return Fill(text::FollowNotWithWindow, {"--tsv"});
  if (command.window && command.options.turn != TurnMode::None) return Fill(text::FollowNotWithWindow, {"--turn"});
  return {};
}

int RunFollowTool(const FollowCommand& command, const NumberLocale& locale,
                  const std::optional<std::string>& rotatorAddress, std::FILE* out, std::FILE* err) {
  const rotator::Options rotatorOptions = rotator::OptionsFor(locale.decimalSeparator);
  std::unique_ptr<WorkerTarget> rotator;
  if (command.options.turn != TurnMode::None && rotatorAddress) {
    rotator = std::make_unique<WorkerTarget>(*rotatorAddress, rotatorOptions, locale.decimalSeparator, err);
  }

  const std::unique_ptr<StationSource> source = MakeStationSource(command.source);
  if (const std::string problem = source->open(); !problem.empty()) {
    Write(err, Fill(text::ErrorLine, {problem}));
    return FollowUnusable;
  }
  const std::atomic<bool>& stopRequested = CatchStopRequests();
  Follower follower(command.options, locale, rotator.get());
  if (!(!command.options.tsv || Write(out, std::string(text::FollowTsvHeader) + "\n")) ||
      !Write(err, Fill(text::ErrorLine, {source->waitingLine()}))) {
    Write(err, Fill(text::ErrorLine, {text::OutputNotWritable}));
    return FollowUnusable;
  }
  const auto deliver = [out, err](const FollowOutput& output) {
    const bool written = Write(out, output.out);
    Write(err, output.err);
    return written;
  };
  std::string problem;
  switch (RunFollowLoop(*source, follower, stopRequested, deliver, problem)) {
    case LoopEnd::Stopped: break;
    case LoopEnd::SourceFailed:
      Write(err, Fill(text::ErrorLine, {problem}));
      return FollowUnusable;
    case LoopEnd::DeliveryFailed:
      Write(err, Fill(text::ErrorLine, {text::OutputNotWritable}));
      return FollowUnusable;
  }
  if (source->skipped() > 0) {
    Write(err, Fill(text::ErrorLine, {Fill(text::FollowSkipped, {std::to_string(source->skipped())})}));
  }
  if (command.parkOnExit && rotatorAddress) {
    rotator.reset();  // cancels a turn still in flight
    if (!rotator::ParkOnCommand(*rotatorAddress, rotatorOptions, err)) return ExitRotatorFailed;
  }
  return StatusInterrupted;
}

}  // namespace pelvorn::follow
