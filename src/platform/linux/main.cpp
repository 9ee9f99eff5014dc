// Pelvorn on Linux. The console tools and a hidden run whose input is good
// need no toolkit and are done here; what needs one (the window, message
// boxes, the beep) is the Qt front end's, a program of its own that this one
// becomes by exec.

#include "common/ExitStatus.h"
#include "common/SystemErrorText.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "console/ConsoleStart.h"
#include "platform/linux/HiddenRun.h"
#include "platform/linux/InstanceGuard.h"
#include "platform/linux/OwnProgram.h"
#include "platform/linux/ProgramStart.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* QtFrontEndName = "pelvorn-qt";

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  std::optional<std::string> rotatorAddress;
  if (const std::optional<int> status = pelvorn::StartProgram(arguments, rotatorAddress)) return *status;

  // An option no one answered is the front end's to read, as it always was.
  const bool option = !arguments.empty() && arguments.front().rfind("--", 0) == 0;
  pelvorn::InstanceGuard guard;
  if (!option) {
    const std::u16string commandLine = pelvorn::FromUtf8(pelvorn::JoinArguments(arguments));
    if (const auto status = pelvorn::RunHiddenWithoutToolkit(commandLine, guard, rotatorAddress)) return *status;
  }

  const std::string frontEnd = pelvorn::FindOwnProgram(QtFrontEndName);
  if (!frontEnd.empty()) {
    guard.passToExec();
    execv(frontEnd.c_str(), argv);
  }
  const std::string why = frontEnd.empty() ? std::string(pelvorn::text::NotFound) : pelvorn::SystemErrorText(errno);
  std::fputs(pelvorn::Fill(pelvorn::text::ErrorLine, {pelvorn::Fill(pelvorn::text::FrontEndMissing, {QtFrontEndName, why})})
                 .c_str(),
             stderr);
  return 1;
}
