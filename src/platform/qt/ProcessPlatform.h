#pragma once

#include "window/Platform.h"
#include "platform/linux/InstanceGuard.h"

namespace pelvorn {

// What the desktop and the console share: the guard against a second copy,
// standard output for the result of a hidden run, standard error, and the
// end of Qt's event loop.
class ProcessPlatform : public Platform {
public:
  bool previousCopyRunning() override { return guard_.previousCopyRunning(); }
  // Writes `line` and a line feed to standard output as UTF-8.
  bool deliverHiddenResult(std::u16string_view line) override;
  // Writes "Pelvorn: ", `line` and a line feed to standard error as UTF-8.
  void printError(std::u16string_view line) override;
  void endProgram(int status) override;

private:
  InstanceGuard guard_;
};

}  // namespace pelvorn
