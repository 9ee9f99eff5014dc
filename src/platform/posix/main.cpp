// Pelvorn on Linux. A hidden run whose input is good needs no toolkit and
// is done here; everything else (the window, message boxes, the beep) is
// the Qt front end's, a program of its own that this one becomes by exec.

#include "common/ExitStatus.h"
#include "common/SystemErrorText.h"
#include "common/Text.h"
#include "platform/posix/ClipboardHandover.h"
#include "platform/posix/HiddenRun.h"
#include "platform/posix/InstanceGuard.h"
#include "platform/posix/ProgramStart.h"

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
  if (const std::optional<int> status = pelvorn::StartProgram(arguments)) return *status;

  std::string commandLine;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) commandLine += ' ';
    commandLine += arguments[i];
  }
  // The console tools (--batch, --tsv, --edi) are the front end's.
  const bool option = !arguments.empty() && arguments.front().rfind("--", 0) == 0;
  pelvorn::InstanceGuard guard;
  if (!option) {
    if (const auto status = pelvorn::RunHiddenWithoutToolkit(pelvorn::FromUtf8(commandLine), guard)) {
      return *status;
    }
  }

  const std::string frontEnd = pelvorn::FindOwnProgram(QtFrontEndName);
  if (!frontEnd.empty()) {
    guard.passToExec();
    execv(frontEnd.c_str(), argv);
  }
  std::fprintf(stderr, "Pelvorn: Die Programmoberfl\u00e4che %s fehlt oder startet nicht (%s).\n",
               QtFrontEndName, frontEnd.empty() ? "nicht gefunden" : pelvorn::SystemErrorText(errno).c_str());
  return 1;
}
