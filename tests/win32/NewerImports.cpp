// A program that Windows 7 cannot start, for the test of the import check:
// it imports GetDpiForWindow (Windows 10 1607) and a function of the
// universal C runtime. It is built, never run.
#include <windows.h>

#include <cstdarg>

extern "C" int __stdio_common_vfprintf(unsigned long long, void*, const char*, void*, va_list);

int wmain(int argc, wchar_t**) {
  if (argc > 9) {
    va_list none{};
    return __stdio_common_vfprintf(0, nullptr, "", nullptr, none);
  }
  return static_cast<int>(GetDpiForWindow(nullptr));
}
