#pragma once

#include "platform/qt/ProcessPlatform.h"

namespace pelvorn {

// The platform of a hidden run without a display (ssh, cron, containers):
// nobody could close a box, so warnings become lines on standard error and
// a beep is silent. The clipboard is Wayland's through wl-copy where that
// is possible.
class ConsolePlatform : public ProcessPlatform {
public:
  void warning(std::u16string_view title, std::u16string_view prompt) override;
  void information(std::u16string_view title, std::u16string_view prompt) override;
  void beep(std::u16string_view /*reason*/) override {}
  bool putOnClipboard(std::u16string_view line) override;
  bool keepClipboardAfterExit() override { return true; }

private:
  bool toldNoClipboard_ = false;
};

}  // namespace pelvorn
