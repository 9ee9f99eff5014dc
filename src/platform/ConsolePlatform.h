#pragma once

#include "platform/ProcessPlatform.h"

namespace pelvorn {

// The platform of a hidden run without a display (ssh, cron, containers):
// nobody could close a box, so warnings and beeps become lines on standard
// error. The clipboard is Wayland's through wl-copy where that is possible.
class ConsolePlatform : public ProcessPlatform {
public:
  explicit ConsolePlatform(QString commandLine) : ProcessPlatform(std::move(commandLine)) {}

  void warning(const QString& title, const QString& prompt) override;
  void information(const QString& title, const QString& prompt) override;
  void beep(const QString& reason) override;
  bool putOnClipboard(const QString& line) override;
  bool keepClipboardAfterExit() override { return true; }

private:
  bool toldNoClipboard_ = false;
};

}  // namespace pelvorn
