#pragma once

#include "platform/Platform.h"
#include "startup/InstanceGuard.h"

namespace pelvorn {

// The platform of a hidden run without a display (ssh, cron, containers):
// nobody could close a box, so warnings and beeps become lines on standard
// error. The clipboard is Wayland's through wl-copy where that is possible.
class ConsolePlatform : public Platform {
public:
  explicit ConsolePlatform(QString commandLine) : commandLine_(std::move(commandLine)) {}

  void warning(const QString& title, const QString& prompt) override;
  void information(const QString& title, const QString& prompt) override;
  void beep(const QString& reason) override;
  bool putOnClipboard(const QString& line) override;
  bool keepClipboardAfterExit() override { return true; }
  bool previousCopyRunning() override { return guard_.previousCopyRunning(); }
  QString commandLineText() override { return commandLine_; }
  void deliverHiddenResult(const QString& line) override;

private:
  QString commandLine_;
  InstanceGuard guard_;
  bool toldNoClipboard_ = false;
};

}  // namespace pelvorn
