#include "QtStart.h"
#include "common/Text.h"
#include "console/ConsoleStart.h"
#include "platform/linux/ProgramStart.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  if (const std::optional<int> status = pelvorn::StartProgram(arguments)) return *status;
  if (pelvorn::follow::AsksForFollowingWindow(arguments)) {
    pelvorn::follow::FollowCommand follow;
    if (const std::string problem = pelvorn::follow::ParseFollowCommand(arguments, follow); !problem.empty()) {
      std::fputs(("Pelvorn: " + problem + "\n").c_str(), stderr);
      return pelvorn::follow::FollowUnusable;
    }
    return pelvorn::StartWithQt(argv[0], std::u16string(), &follow);
  }
  return pelvorn::StartWithQt(argv[0], pelvorn::FromUtf8(pelvorn::JoinArguments(arguments)));
}
