#include "Win32Platform.h"

#include "WideText.h"

#include <cstring>
#include <string>

namespace pelvorn::win32 {
namespace {

// The program's window when it still exists, else no owner.
HWND Owner(HWND window) { return window && IsWindow(window) ? window : nullptr; }

void ShowBox(HWND owner, std::u16string_view title, std::u16string_view prompt, UINT icon) {
  MessageBoxW(Owner(owner), Wide(prompt).c_str(), Wide(title).c_str(), MB_OK | icon);
}

// The name of the user running this process, or empty when Windows does not say.
std::wstring UserName() {
  wchar_t name[257] = {};
  DWORD size = 257;
  return GetUserNameW(name, &size) ? std::wstring(name) : std::wstring();
}

// Another program may have the clipboard open for a moment.
bool OpenClipboardPatiently(HWND owner) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(25);
  }
  return false;
}

bool WriteAll(HANDLE out, const char* bytes, DWORD size) {
  while (size > 0) {
    DWORD written = 0;
    if (!WriteFile(out, bytes, size, &written, nullptr) || written == 0) return false;
    bytes += written;
    size -= written;
  }
  return true;
}

// Writes `line` and a line feed to the standard handle `which` (UTF-8, or
// UTF-16 to a console); true when all of it was written or when there is no
// such handle, as for a program started without redirection.
bool WriteLine(DWORD which, std::u16string_view line) {
  HANDLE out = GetStdHandle(which);
  if (!out || out == INVALID_HANDLE_VALUE) return true;
  const std::wstring text = Wide(line);
  if (GetFileType(out) == FILE_TYPE_CHAR) {
    const std::wstring console = text + L"\r\n";
    DWORD written = 0;
    if (WriteConsoleW(out, console.c_str(), static_cast<DWORD>(console.size()), &written, nullptr)) {
      return written == console.size();
    }
  }
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), size,
                      nullptr, nullptr);
  utf8 += '\n';
  return WriteAll(out, utf8.data(), static_cast<DWORD>(utf8.size()));
}

}  // namespace

void Win32Platform::warning(std::u16string_view title, std::u16string_view prompt) {
  ShowBox(owner_, title, prompt, MB_ICONEXCLAMATION);
}

void Win32Platform::information(std::u16string_view title, std::u16string_view prompt) {
  ShowBox(owner_, title, prompt, MB_ICONINFORMATION);
}

void Win32Platform::beep(std::u16string_view) { MessageBeep(MB_OK); }

bool Win32Platform::putOnClipboard(std::u16string_view line) {
  const std::wstring text = Wide(line);
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  void* target = GlobalLock(memory);
  if (!target) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(target, text.c_str(), bytes);
  GlobalUnlock(memory);
  // EmptyClipboard makes the window the owner; without a window
  // SetClipboardData would fail.
  if (!OpenClipboardPatiently(Owner(owner_))) {
    GlobalFree(memory);
    return false;
  }
  const bool put = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
  if (!put) GlobalFree(memory);  // the system owns it only once it was set
  return put;
}

bool Win32Platform::previousCopyRunning() {
  if (guard_) return false;
  const std::wstring name = L"Local\\Pelvorn.Instance." + UserName();
  guard_ = CreateMutexW(nullptr, FALSE, name.c_str());
  const DWORD error = GetLastError();
  // Another user's object of that name may be there without our access to it.
  return error == ERROR_ALREADY_EXISTS || (!guard_ && error == ERROR_ACCESS_DENIED);
}

bool Win32Platform::deliverHiddenResult(std::u16string_view line) {
  return WriteLine(STD_OUTPUT_HANDLE, line);
}

void Win32Platform::printError(std::u16string_view line) { WriteLine(STD_ERROR_HANDLE, line); }

void Win32Platform::endProgram(int status) { PostQuitMessage(status); }

}  // namespace pelvorn::win32
