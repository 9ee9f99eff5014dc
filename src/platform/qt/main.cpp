#include "QtStart.h"
#include "common/Text.h"
#include "platform/linux/ProgramStart.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
  const pelvorn::StartRequest start = pelvorn::StartProgram({argv + 1, argv + argc});
  if (start.status) return *start.status;
  if (start.followingWindow) {
    return pelvorn::StartWithQt(argv[0], std::u16string(), start.rotatorAddress, &*start.followingWindow);
  }
  return pelvorn::StartWithQt(argv[0], pelvorn::FromUtf8(start.commandLine), start.rotatorAddress);
}
