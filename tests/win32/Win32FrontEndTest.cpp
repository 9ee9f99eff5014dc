// The Win32 front end without its window: the argument text of the command line, a clipboard
// held open elsewhere (the way there and the second copy: the scenarios), the console handler.
#include "common/StopRequest.h"
#include "platform/win32/CommandLineText.h"
#include "platform/win32/ConsoleControl.h"
#include "platform/win32/Win32Platform.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace pelvorn::win32 {
namespace {

TEST(ArgumentText, SkipsTheProgramNameByTheRulesOfWindows) {
  const struct {
    std::u16string_view commandLine, arguments;
  } cases[] = {
      {u"Pelvorn.exe", u""},
      {u"", u""},
      {u"Pelvorn.exe    \t G;52,5;38,5", u"G;52,5;38,5"},  // blanks and tabs after the name
      {u"Pelvorn.exe L;JO62 mm;KM38mm ", u"L;JO62 mm;KM38mm "},  // the rest as it stands
      {u"\"C:\\Program Files\\Pelvorn\\Pelvorn.exe\" L;JO62mm", u"L;JO62mm"},
      {u"\"C:\\Program Files\\Pelvorn\\Pelvorn.exe\"L;JO62mm", u""},  // quotes end no name
      {u"C:\\Pel\"vorn dir\"\\Pelvorn.exe X", u"X"},  // quotes inside the name
      {u"\"C:\\no closing quote\\Pelvorn.exe L", u""},
      {u"C:\\dir\\\"Pelvorn.exe\" L", u"L"},  // a backslash escapes nothing here
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ArgumentText(c.commandLine), c.arguments)
        << std::string(c.commandLine.begin(), c.commandLine.end());
  }
}

// A message-only window owns the clipboard data, as the program's window does.
struct ClipboardOwner {
  HWND handle = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ~ClipboardOwner() { DestroyWindow(handle); }
};

std::u16string ClipboardText() {
  std::u16string text = u"(nothing)";
  if (!OpenClipboard(nullptr)) return u"(not opened)";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const char16_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// Windows ends the process when the handler returns from closing the console, logging off
// or shutting down: the end is the follower's, which prints its count and exits with 0.
TEST(StopRequest, ClosingTheConsoleLeavesTheEndToTheProgram) {
  for (const auto& [event, returns] : {std::pair<DWORD, bool>{CTRL_C_EVENT, true}, {CTRL_BREAK_EVENT, true},
       {CTRL_CLOSE_EVENT, false}, {CTRL_LOGOFF_EVENT, false}, {CTRL_SHUTDOWN_EVENT, false}}) {
    const std::atomic<bool>& stop = CatchStopRequests();
    const auto handle = [](void* e) -> DWORD { return OnConsoleControl(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(e))); };
    HANDLE handler = CreateThread(nullptr, 0, handle, reinterpret_cast<void*>(UINT_PTR{event}), 0, nullptr);
    for (int i = 0; i < 10000 && !stop; ++i) Sleep(1);  // the handler's thread has started
    EXPECT_TRUE(stop && WaitForSingleObject(handler, returns ? 10000 : 300) == (returns ? WAIT_OBJECT_0 : WAIT_TIMEOUT)) << event;
    CloseHandle(handler);
  }
}

TEST(Win32Platform, ClipboardHeldOpenByAnotherWindowFailsCleanly) {
  ClipboardOwner owner, other;
  Win32Platform platform;
  platform.setOwner(owner.handle);
  ASSERT_TRUE(platform.putOnClipboard(u"vorher"));
  ASSERT_TRUE(OpenClipboard(other.handle));
  EXPECT_FALSE(platform.putOnClipboard(u"nachher"));
  CloseClipboard();
  EXPECT_EQ(ClipboardText(), u"vorher");
}

}  // namespace
}  // namespace pelvorn::win32
