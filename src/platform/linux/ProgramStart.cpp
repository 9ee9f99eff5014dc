#include "ProgramStart.h"

#include "common/ExitStatus.h"
#include "common/Text.h"
#include "platform/posix/StandardStreams.h"
#include "rotator/RotatorSettings.h"
#include "startup/Usage.h"

#include <csignal>
#include <cstdio>

namespace pelvorn {
namespace {

int Print(const std::u16string& text) {
  const std::string utf8 = ToUtf8(text);
  const bool written = std::fwrite(utf8.data(), 1, utf8.size(), stdout) == utf8.size();
  return std::fflush(stdout) == 0 && written ? 0 : 1;
}

}  // namespace

std::optional<int> StartProgram(std::vector<std::string>& arguments) {
  OpenClosedStandardStreams();
  std::signal(SIGPIPE, SIG_IGN);

  if (arguments == std::vector<std::string>{"--help"}) return Print(HelpText());
  if (arguments == std::vector<std::string>{"--version"}) return Print(VersionText());
  if (const std::string bad = rotator::ConfigureRotator(arguments); !bad.empty()) {
    std::fputs(("Pelvorn: " + bad + "\n").c_str(), stderr);
    return ExitRotatorFailed;
  }
  return std::nullopt;
}

}  // namespace pelvorn
