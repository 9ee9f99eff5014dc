#include "ProgramStart.h"

#include "console/ConsoleStart.h"
#include "platform/linux/EnvironmentLocale.h"
#include "platform/posix/StandardStreams.h"

#include <csignal>
#include <cstdio>

namespace pelvorn {

StartRequest StartProgram(const std::vector<std::string>& arguments) {
  OpenClosedStandardStreams();
  std::signal(SIGPIPE, SIG_IGN);
  return RunConsoleStart(arguments, ConsoleNumberLocale(), ConsoleStreams{stdin, stdout, stderr});
}

}  // namespace pelvorn
