#include "ConsoleTool.h"

#include "common/Text.h"
#include "common/Texts.h"

#include "console/AdifCommand.h"
#include "console/AdifMap.h"
#include "console/BatchRun.h"
#include "console/ConsoleToolStatus.h"
#include "console/EdiCommand.h"
#include "console/MapCommand.h"
#include "rotator/RotatorTool.h"

namespace pelvorn {
namespace {

ToolOutcome Refuse(std::string reason) { return {std::move(reason)}; }
ToolOutcome Status(int status) { return {{}, status}; }

ToolOutcome Follow(const ReadOptions& read, const ToolContext& context) {
  follow::FollowCommand command;
  if (std::string reason = follow::ReadFollowCommand(read, command); !reason.empty()) return Refuse(std::move(reason));
  if (command.window) return {{}, 0, std::move(command)};
  if (command.options.turn != follow::TurnMode::None && !context.rotatorAddress) {
    return Refuse(std::string(text::FollowTurnWithoutRotator));
  }
  if (command.parkOnExit && !context.rotatorAddress) {
    return Refuse(Fill(text::RotatorCommandWithoutRotator, {"--park-on-exit"}));
  }
  return Status(follow::RunFollowTool(command, context.locale, context.rotatorAddress, context.out, context.err));
}

ToolOutcome Antenna(rotator::Command command, std::string_view trigger, const ReadOptions& read,
                    const ToolContext& context) {
  if (!read.operands.empty()) return Refuse(Fill(text::UnknownOption, {read.operands.front()}));
  if (!context.rotatorAddress) return Refuse(Fill(text::RotatorCommandWithoutRotator, {trigger}));
  return Status(rotator::RunRotatorTool(command, context.locale.decimalSeparator, *context.rotatorAddress, context.err));
}
ToolOutcome Stop(const ReadOptions& read, const ToolContext& context) {
  return Antenna(rotator::Command::Stop, rotator::StopOption, read, context);
}
ToolOutcome Park(const ReadOptions& read, const ToolContext& context) {
  return Antenna(rotator::Command::Park, rotator::ParkOption, read, context);
}

ToolOutcome Adif(const ReadOptions& read, const ToolContext& context) {
  const AdifOptions options{read.value("--adif").value_or(""), read.has("--tsv"), read.value("--own"),
                            read.value("--fix"), read.has("--overwrite"), read.value("--kml")};
  if (!read.operands.empty()) return Refuse(std::string(text::AdifStandsAlone));
  // The log's map and chart: a run of their own, beside neither the report's TSV nor a copy.
  const AdifMapOptions pictures{options.log, options.own, read.value("--map"), read.value("--azimuth-chart"),
                                read.value("--size"), read.value("--radius")};
  if (pictures.map || pictures.chart) {
    for (const std::string_view other : {"--tsv", "--fix", "--overwrite", "--kml"}) {
      if (read.has(other)) return Refuse(Fill(text::OptionNotWithTool, {other, pictures.map ? "--map" : "--azimuth-chart"}));
    }
    std::string wrongCall;
    const int status = RunAdifMap(pictures, context.in, context.out, context.err, wrongCall);
    return wrongCall.empty() ? Status(status) : Refuse(std::move(wrongCall));
  }
  if (pictures.size) return Refuse(std::string(text::AdifSizeOnlyWithPicture));
  if (pictures.radius) return Refuse(std::string(text::AdifRadiusOnlyWithMap));
  // A KML file is no copy of the log, nor a table.
  if (options.kml && (options.fix || options.tsv)) {
    return Refuse(Fill(text::OptionNotWithTool, {options.fix ? "--fix" : "--tsv", "--kml"}));
  }
  if (options.tsv && options.fix) return Refuse(std::string(text::TsvNotWithFix));
  if (options.overwrite && !options.fix) return Refuse(std::string(text::OverwriteOnlyWithFix));
  return Status(RunAdif(options, context.in, context.out, context.err));
}

ToolOutcome Edi(const ReadOptions& read, const ToolContext& context) {
  if (!read.operands.empty()) return Refuse(std::string(text::EdiStandsAlone));
  return Status(RunEdiCheck(read.value("--edi").value_or(""), read.value("--fix"), context.out, context.err));
}

ToolOutcome Batch(const ReadOptions& read, const ToolContext& context) {
  const BatchFormat format = read.has("--tsv") ? BatchFormat::Tsv : BatchFormat::ResultLine;
  return Status(RunBatch(read.operands, format, context.locale, context.in, context.out, context.err));
}

ToolOutcome Map(const ReadOptions& read, const ToolContext& context) {
  std::string wrongCall;
  const int status = RunMap({read.value("--map").value_or(""), read.value("--size"), read.value("--radius"), read.operands},
                            context.locale, context.out, context.err, wrongCall);
  return wrongCall.empty() ? Status(status) : Refuse(std::move(wrongCall));
}

// --tsv for one command line, given as one argument.
ToolOutcome Tsv(const ReadOptions& read, const ToolContext& context) {
  if (read.operands.empty()) return Refuse(std::string(text::TsvWithoutLine));
  // A second argument would be cut off at the locator box's six characters
  // and lost without a word.
  if (read.operands.size() > 1) return Refuse(std::string(text::TsvTakesOneLine));
  std::string output;
  const std::string reason = AppendBatchLine(read.operands.front(), BatchFormat::Tsv, context.locale, output);
  output += '\n';
  const bool written = std::fwrite(output.data(), 1, output.size(), context.out) == output.size() &&
                       std::fflush(context.out) == 0;
  if (!reason.empty()) std::fputs(Fill(text::ErrorLine, {reason}).c_str(), context.err);
  if (!written) {
    std::fputs(Fill(text::ErrorLine, {text::OutputNotWritable}).c_str(), context.err);
    return Status(ToolInputUnreadable);
  }
  return Status(reason.empty() ? ToolSuccess : ToolSomeDiffer);
}

// A refused call ends with the same status whichever tool refused it.
static_assert(follow::FollowUnusable == ToolInputUnreadable);

constexpr ConsoleTool Tools[] = {
    {follow::FollowOption, follow::FollowArguments, text::FollowUsage, Follow},
    {rotator::StopOption, rotator::StopArguments, text::RotatorToolUsage, Stop},
    {rotator::ParkOption, rotator::ParkArguments, text::RotatorToolUsage, Park},
    // Before --map: with --adif, --map OUT is the map of the log (AdifMap.h).
    {"--adif", AdifArguments, text::ConsoleUsage, Adif},
    {"--edi", EdiArguments, text::ConsoleUsage, Edi},
    {"--batch", BatchArguments, text::ConsoleUsage, Batch},
    {"--map", MapArguments, text::ConsoleUsage, Map},
    {"--tsv", TsvArguments, text::ConsoleUsage, Tsv},
};

}  // namespace

std::span<const ConsoleTool> ConsoleTools() { return Tools; }

}  // namespace pelvorn
