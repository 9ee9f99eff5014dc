#include "ConsoleTool.h"

#include "common/Text.h"
#include "common/Texts.h"

#include "console/BatchRun.h"
#include "console/ConsoleStart.h"
#include "console/ConsoleToolStatus.h"
#include "console/TsvLine.h"
#include "console/EdiCommand.h"
#include "console/AdifCommand.h"
#include "follow/FollowTool.h"
#include "rotator/RotatorTool.h"

namespace pelvorn {
namespace {

bool IsToolOption(const std::string& argument) {
  return argument == "--batch" || argument == "--tsv" || argument == "--edi" || argument == "--adif";
}

int UsageError(std::FILE* err, const std::string& problem) {
  const std::string message = Fill(text::ErrorLine, {problem}) + std::string(text::ConsoleUsage);
  std::fputs(message.c_str(), err);
  return ToolInputUnreadable;
}

}  // namespace

std::optional<int> RunConsoleTool(const std::vector<std::string>& arguments, const NumberLocale& locale,
                                  const std::optional<std::string>& rotatorAddress, std::FILE* in, std::FILE* out,
                                  std::FILE* err) {
  if (arguments.empty()) return std::nullopt;
  if (rotator::IsRotatorTool(arguments)) {
    return rotator::RunRotatorTool(arguments, locale.decimalSeparator, rotatorAddress, err);
  }
  if (arguments.front() == follow::FollowOption) {
#ifndef _WIN32
    // With --window the Qt window follows; its front end reads the options.
    if (follow::AsksForFollowingWindow(arguments)) return std::nullopt;
#endif
    return follow::RunFollowTool(arguments, locale, rotatorAddress, out, err);
  }
  if (!IsToolOption(arguments.front())) return std::nullopt;

  bool batch = false, tsv = false, overwrite = false;
  std::optional<std::string> edi, fix, adif, own;
  std::vector<std::string> operands;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument == "-" || !argument.starts_with("--")) {
      operands.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--batch") {
      batch = true;
    } else if (argument == "--tsv") {
      tsv = true;
    } else if (argument == "--overwrite") {
      overwrite = true;
    } else if (argument == "--own") {
      if (i + 1 == arguments.size()) return UsageError(err, std::string(text::OwnWithoutLocator));
      own = arguments[++i];
    } else if (argument == "--edi" || argument == "--fix" || argument == "--adif") {
      if (i + 1 == arguments.size()) return UsageError(err, Fill(text::OptionWithoutFileName, {argument}));
      (argument == "--edi" ? edi : argument == "--adif" ? adif : fix) = arguments[++i];
    } else {
      return UsageError(err, Fill(text::UnknownOption, {argument}));
    }
  }

  if (adif) {
    if (batch || edi || !operands.empty()) return UsageError(err, std::string(text::AdifStandsAlone));
    if (tsv && fix) return UsageError(err, std::string(text::TsvNotWithFix));
    if (overwrite && !fix) return UsageError(err, std::string(text::OverwriteOnlyWithFix));
    return RunAdif({*adif, tsv, own, fix, overwrite}, in, out, err);
  }
  if (own || overwrite) return UsageError(err, Fill(text::OnlyWithAdif, {own ? "--own" : "--overwrite"}));
  if (edi) {
    if (batch || tsv || !operands.empty()) return UsageError(err, std::string(text::EdiStandsAlone));
    return RunEdiCheck(*edi, fix, out, err);
  }
  if (fix) return UsageError(err, std::string(text::FixOnlyWithEdi));
  const BatchFormat format = tsv ? BatchFormat::Tsv : BatchFormat::ResultLine;
  if (batch) return RunBatch(operands, format, locale, in, out, err);

  // --tsv for one command line, given as one argument.
  if (operands.empty()) return UsageError(err, std::string(text::TsvWithoutLine));
  // A second argument would be cut off at the locator box's six characters
  // and lost without a word.
  if (operands.size() > 1) return UsageError(err, std::string(text::TsvTakesOneLine));
  const std::string& commandLine = operands.front();
  std::string output;
  const std::string reason = AppendBatchLine(commandLine, BatchFormat::Tsv, locale, output);
  output += '\n';
  const bool written = std::fwrite(output.data(), 1, output.size(), out) == output.size() && std::fflush(out) == 0;
  if (!reason.empty()) std::fputs(Fill(text::ErrorLine, {reason}).c_str(), err);
  if (!written) {
    std::fputs(Fill(text::ErrorLine, {text::OutputNotWritable}).c_str(), err);
    return ToolInputUnreadable;
  }
  return reason.empty() ? ToolSuccess : ToolSomeDiffer;
}

}  // namespace pelvorn
