#include "ConsoleStart.h"

#include "common/ExitStatus.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "console/ConsoleTool.h"
#include "rotator/RotatorSettings.h"
#include "console/Usage.h"

namespace pelvorn {
namespace {

int Print(std::FILE* out, std::u16string_view text) {
  if (out == nullptr) return ExitNoResult;
  const std::string utf8 = ToUtf8(text);
  const bool written = std::fwrite(utf8.data(), 1, utf8.size(), out) == utf8.size();
  return std::fflush(out) == 0 && written ? ExitSuccess : ExitNoResult;
}

}  // namespace

std::string JoinArguments(const std::vector<std::string>& arguments) {
  std::string line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) line += ' ';
    line += arguments[i];
  }
  return line;
}

std::optional<int> RunConsoleStart(std::vector<std::string>& arguments, const NumberLocale& locale,
                                   const ConsoleStreams& streams, std::optional<std::string>& rotatorAddress) {
  if (arguments == std::vector<std::string>{"--help"}) return Print(streams.out, HelpText());
  if (arguments == std::vector<std::string>{"--version"}) return Print(streams.out, VersionText());
  rotator::RotatorChoice rotator = rotator::ChooseRotator(arguments);
  if (!rotator.error.empty()) {
    if (streams.err != nullptr) std::fputs(Fill(text::ErrorLine, {rotator.error}).c_str(), streams.err);
    return ExitRotatorFailed;
  }
  rotatorAddress = std::move(rotator.address);
  if (streams.in == nullptr || streams.out == nullptr || streams.err == nullptr) return std::nullopt;
  return RunConsoleTool(arguments, locale, rotatorAddress, streams.in, streams.out, streams.err);
}

}  // namespace pelvorn
