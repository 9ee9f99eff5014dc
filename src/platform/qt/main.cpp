#include "QtStart.h"
#include "common/Text.h"
#include "console/ConsoleStart.h"
#include "platform/linux/ProgramStart.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  std::optional<std::string> rotatorAddress;
  if (const std::optional<int> status = pelvorn::StartProgram(arguments, rotatorAddress)) return *status;
  return pelvorn::StartWithQt(argv[0], pelvorn::FromUtf8(pelvorn::JoinArguments(arguments)), rotatorAddress);
}
