#pragma once

#include "window/Platform.h"

#include <windows.h>

namespace pelvorn::win32 {

// Message boxes, beep, clipboard, single-instance guard, standard output and
// the end of the program, answered with the Win32 API.
class Win32Platform : public Platform {
public:
  // `owner` is the program's window: it owns the message boxes and the
  // clipboard data; null until the window exists.
  void setOwner(HWND owner) { owner_ = owner; }

  void warning(std::u16string_view title, std::u16string_view prompt) override;
  void information(std::u16string_view title, std::u16string_view prompt) override;
  void beep(std::u16string_view reason) override;
  // Windows keeps CF_UNICODETEXT after the program has ended, so nothing
  // has to be kept alive for it.
  bool putOnClipboard(std::u16string_view line) override;
  bool keepClipboardAfterExit() override { return true; }
  // Every copy, hidden ones included, holds a mutex named for the user in
  // the session's namespace; the system closes it when a copy ends in any way.
  bool previousCopyRunning() override;
  // Writes the line (UTF-8, or UTF-16 to a console) when there is a standard
  // output handle, that is when the caller redirected or piped it.
  bool deliverHiddenResult(std::u16string_view line) override;
  // Writes to standard error the same way, when there is one.
  void printError(std::u16string_view line) override;
  // Posts the quit message that ends the message loop with `status`.
  void endProgram(int status) override;

private:
  HWND owner_ = nullptr;
  HANDLE guard_ = nullptr;
};

}  // namespace pelvorn::win32
