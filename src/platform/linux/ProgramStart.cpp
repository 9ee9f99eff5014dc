#include "ProgramStart.h"

#include "console/ConsoleStart.h"
#include "platform/linux/EnvironmentLocale.h"
#include "platform/posix/StandardStreams.h"

#include <csignal>
#include <cstdio>

namespace pelvorn {

std::optional<int> StartProgram(std::vector<std::string>& arguments, std::optional<std::string>& rotatorAddress) {
  OpenClosedStandardStreams();
  std::signal(SIGPIPE, SIG_IGN);
  return RunConsoleStart(arguments, ConsoleNumberLocale(), ConsoleStreams{stdin, stdout, stderr}, rotatorAddress);
}

}  // namespace pelvorn
