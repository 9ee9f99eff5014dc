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
  const pelvorn::StartRequest start = pelvorn::StartProgram({argv + 1, argv + argc});
  if (start.status) return *start.status;

  // The following window is the front end's; so is any window or box.
  pelvorn::InstanceGuard guard;
  if (!start.followingWindow) {
    const std::u16string commandLine = pelvorn::FromUtf8(start.commandLine);
    if (const auto status = pelvorn::RunHiddenWithoutToolkit(commandLine, guard, start.rotatorAddress)) return *status;
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
