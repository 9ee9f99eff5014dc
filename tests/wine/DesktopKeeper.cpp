// Keeps Wine's desktop process alive while an end-to-end script runs, as the
// Windows session always is. That process bridges the clipboard to X11 and
// ends a moment after the last program on its desktop; without this, the
// line a hidden run put on the clipboard would vanish from X11 with it.
// Runs until it is killed.
#include <windows.h>

int main() {
  // A message-only window ties this process to the desktop.
  CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
