#pragma once

#include "platform/Platform.h"
#include "startup/InstanceGuard.h"

namespace pelvorn {

// What the desktop and the console share: the command line this process
// was started with, the guard against a second copy, and standard output
// for the result of a hidden run.
class ProcessPlatform : public Platform {
public:
  explicit ProcessPlatform(QString commandLine) : commandLine_(std::move(commandLine)) {}

  bool previousCopyRunning() override { return guard_.previousCopyRunning(); }
  QString commandLineText() override { return commandLine_; }
  // Writes `line` and a line feed to standard output as UTF-8.
  void deliverHiddenResult(const QString& line) override;

private:
  QString commandLine_;
  InstanceGuard guard_;
};

}  // namespace pelvorn
