#include "QtStart.h"
#include "QtText.h"
#include "console/ConsoleTool.h"
#include "common/ExitStatus.h"
#include "common/Text.h"
#include "platform/linux/ProgramStart.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  if (const std::optional<int> status = pelvorn::StartProgram(arguments)) return *status;

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
