#include "QtStart.h"
#include "common/Text.h"
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
  // A reader that went away shows as a failed write, not as a signal.
  std::signal(SIGPIPE, SIG_IGN);

  std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments == std::vector<std::string>{"--help"}) return Print(pelvorn::HelpText());
  if (arguments == std::vector<std::string>{"--version"}) return Print(pelvorn::VersionText());

  std::string commandLine;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) commandLine += ' ';
    commandLine += arguments[i];
  }
  return pelvorn::StartWithQt(argv[0], pelvorn::FromUtf8(commandLine));
}
