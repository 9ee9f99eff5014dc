#include "QtStart.h"
#include "QtText.h"
#include "batch/ConsoleTool.h"
#include "common/ExitStatus.h"
#include "common/Text.h"
#include "platform/posix/StandardStreams.h"
#include "rotator/RotatorSettings.h"
#include "startup/Usage.h"

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

namespace {

int Print(const std::u16string& text) {
  const std::string utf8 = pelvorn::ToUtf8(text);
  const bool written = std::fwrite(utf8.data(), 1, utf8.size(), stdout) == utf8.size();
  return std::fflush(stdout) == 0 && written ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  pelvorn::OpenClosedStandardStreams();
  // A reader that went away shows as a failed write, not as a signal.
  std::signal(SIGPIPE, SIG_IGN);

  std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments == std::vector<std::string>{"--help"}) return Print(pelvorn::HelpText());
  if (arguments == std::vector<std::string>{"--version"}) return Print(pelvorn::VersionText());
  if (const std::string bad = pelvorn::rotator::ConfigureRotator(arguments); !bad.empty()) {
    std::fputs(("Pelvorn: " + bad + "\n").c_str(), stderr);
    return pelvorn::ExitRotatorFailed;
  }

  // --batch, --tsv, --edi: no window, no guard, no clipboard.
  const pelvorn::NumberLocale locale = pelvorn::NumberLocaleOf(QLocale::system());
  if (auto status = pelvorn::RunConsoleTool(arguments, locale, stdin, stdout, stderr)) return *status;

  std::string commandLine;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) commandLine += ' ';
    commandLine += arguments[i];
  }
  return pelvorn::StartWithQt(argv[0], pelvorn::FromUtf8(commandLine));
}
