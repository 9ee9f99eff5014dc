#include "QtStart.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "console/ConsoleStart.h"
#include "platform/linux/ProgramStart.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  std::optional<std::string> rotatorAddress;
  if (const std::optional<int> status = pelvorn::StartProgram(arguments, rotatorAddress)) return *status;
  if (pelvorn::follow::AsksForFollowingWindow(arguments)) {
    pelvorn::follow::FollowCommand follow;
    if (const std::string problem = pelvorn::follow::ParseFollowCommand(arguments, follow); !problem.empty()) {
      std::fputs(pelvorn::Fill(pelvorn::text::ErrorLine, {problem}).c_str(), stderr);
      return pelvorn::follow::FollowUnusable;
    }
    return pelvorn::StartWithQt(argv[0], std::u16string(), rotatorAddress, &follow);
  }
  return pelvorn::StartWithQt(argv[0], pelvorn::FromUtf8(pelvorn::JoinArguments(arguments)), rotatorAddress);
}
