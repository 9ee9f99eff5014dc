#include "ConsoleTool.h"

#include "console/BatchRun.h"
#include "console/ConsoleStart.h"
#include "console/ConsoleToolStatus.h"
#include "console/TsvLine.h"
#include "console/EdiCommand.h"
#include "follow/FollowTool.h"

namespace pelvorn {
namespace {

bool IsToolOption(const std::string& argument) {
  return argument == "--batch" || argument == "--tsv" || argument == "--edi";
}

int UsageError(std::FILE* err, const std::string& problem) {
  const std::string message = "Pelvorn: " + problem +
                              "\nAufruf: Pelvorn --batch [--tsv] [DATEI...] | Pelvorn --tsv 'L;MeinLocator;FremdLocator'"
                              " | Pelvorn --edi LOG [--fix KOPIE]  (mehr mit --help)\n";
  std::fputs(message.c_str(), err);
  return ToolInputUnreadable;
}

}  // namespace

std::optional<int> RunConsoleTool(const std::vector<std::string>& arguments, const NumberLocale& locale,
                                  std::FILE* in, std::FILE* out, std::FILE* err) {
  if (arguments.empty()) return std::nullopt;
  if (arguments.front() == follow::FollowOption) {
#ifndef _WIN32
    // With --window the Qt window follows; its front end reads the options.
    if (follow::AsksForFollowingWindow(arguments)) return std::nullopt;
#endif
    return follow::RunFollowTool(arguments, locale, out, err);
  }
  if (!IsToolOption(arguments.front())) return std::nullopt;

  bool batch = false, tsv = false;
  std::optional<std::string> edi, fix;
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
    } else if (argument == "--edi" || argument == "--fix") {
      if (i + 1 == arguments.size()) return UsageError(err, argument + " ohne Dateinamen");
      (argument == "--edi" ? edi : fix) = arguments[++i];
    } else {
      return UsageError(err, "unbekannte Option " + argument);
    }
  }

  if (edi) {
    if (batch || tsv || !operands.empty()) return UsageError(err, "--edi steht allein (mit --fix KOPIE)");
    return RunEdiCheck(*edi, fix, out, err);
  }
  if (fix) return UsageError(err, "--fix nur zusammen mit --edi");
  const BatchFormat format = tsv ? BatchFormat::Tsv : BatchFormat::ResultLine;
  if (batch) return RunBatch(operands, format, locale, in, out, err);

  // --tsv for one command line, given as one argument.
  if (operands.empty()) return UsageError(err, "--tsv ohne Befehlszeile");
  // A second argument would be cut off at the locator box's six characters
  // and lost without a word.
  if (operands.size() > 1) return UsageError(err, "--tsv nimmt genau eine Befehlszeile; f\u00fcr mehrere: --batch --tsv");
  const std::string& commandLine = operands.front();
  std::string output;
  const std::string reason = AppendBatchLine(commandLine, BatchFormat::Tsv, locale, output);
  output += '\n';
  const bool written = std::fwrite(output.data(), 1, output.size(), out) == output.size() && std::fflush(out) == 0;
  if (!reason.empty()) std::fputs(("Pelvorn: " + reason + "\n").c_str(), err);
  if (!written) {
    std::fputs("Pelvorn: Ausgabe kann nicht geschrieben werden\n", err);
    return ToolInputUnreadable;
  }
  return reason.empty() ? ToolSuccess : ToolSomeDiffer;
}

}  // namespace pelvorn
