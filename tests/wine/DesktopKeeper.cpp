// Keeps Wine's desktop process, which bridges the clipboard to X11, alive
// while an end-to-end script runs (see wine.sh), until it is killed.
#include <windows.h>

int main() {
  // A message-only window ties this process to the desktop.
  CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
