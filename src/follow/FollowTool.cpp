#include "FollowTool.h"

#include "arithmetic/NumberPatterns.h"
#include "common/ReplaceFile.h"
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

// `text` as a number of seconds from 0 to `most`.
std::optional<std::chrono::milliseconds> Seconds(const std::string& text, double most) {
  double seconds = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size() || !(seconds >= 0) ||
      seconds > most) {
    return std::nullopt;
  }
  return std::chrono::milliseconds(std::lround(seconds * 1000));
}

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
  if (const auto value = read.value("--poll")) {
    const auto seconds = Seconds(*value, 60);
    if (!seconds || *seconds < std::chrono::milliseconds(100)) return Fill(text::FollowBadPoll, {*value});
    if (command.source.kind != SourceKind::Fldigi) return std::string(text::FollowPollOnlyFldigi);
    command.source.fldigi.poll = *seconds;
  }
  if (const auto id = read.value("--id")) command.options.id = *id;
  if (const auto value = read.value("--settle")) {
    const auto seconds = Seconds(*value, 3600);
    if (!seconds) return Fill(text::FollowBadSettle, {*value});
    command.options.settle = *seconds;
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
  if (const auto output = read.value("--map")) {
    LiveMapFile file{*output};
    std::string reason = map::ReadMapOutput(*output, read.value("--size"), read.value("--radius"), file.format, file.look);
    if (!reason.empty()) return reason;
    // Standard output has the lines.
    if (file.format == map::MapFormat::PngToOutput) return std::string(text::FollowMapNotToOutput);
    if (command.window) return Fill(text::FollowNotWithWindow, {"--map"});
    command.map = std::move(file);
  }
  for (const std::string_view option : {"--size", "--radius"}) {
    if (!command.map && read.has(option)) return Fill(text::FollowOnlyWithMap, {option});
  }
  return {};
}

int RunFollowTool(const FollowCommand& command, const NumberLocale& locale,
                  const std::optional<std::string>& rotatorAddress, std::FILE* out, std::FILE* err) {
  const rotator::Options rotatorOptions = rotator::OptionsFor(locale.decimalSeparator);
  std::unique_ptr<WorkerTarget> rotator;
  if (command.options.turn != TurnMode::None && rotatorAddress) {
    rotator = std::make_unique<WorkerTarget>(*rotatorAddress, rotatorOptions, locale.decimalSeparator, err);
  }

  if (command.map) {
    // A map that could never be written is refused at once, not after the first grid.
    FileReplacement probe;
    if (std::string error; !probe.Open(command.map->path, error)) {
      Write(err, Fill(text::ErrorLine, {Fill(text::About, {command.map->path, error})}));
      return FollowUnusable;
    }
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
  const auto deliver = [&command, &locale, out, err](const FollowOutput& output) {
    // The map before the line: whoever reloads it on the line finds it new.
    if (command.map && output.sighting) {
      if (const std::string problem = ShowLiveMap(*command.map, *output.sighting, locale); !problem.empty()) {
        Write(err, Fill(text::ErrorLine, {problem}));
      }
    }
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
