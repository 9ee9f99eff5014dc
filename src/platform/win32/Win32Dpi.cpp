#include "Win32Dpi.h"

#include <cwchar>
#include <initializer_list>
#include <type_traits>

namespace pelvorn::win32::dpi {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

// USER32's functions of Windows 10 1607, all of them or none. They are used
// only where the system reports Windows 10 or later: Windows in a
// compatibility mode for an older version (and Wine set to one) gets the
// older calls, as that version would.
struct PerMonitorFunctions {
  GetDpiForWindowFunction getDpiForWindow = nullptr;
  SystemParametersInfoForDpiFunction systemParametersInfoForDpi = nullptr;
  GetSystemMetricsForDpiFunction getSystemMetricsForDpi = nullptr;
  AdjustWindowRectExForDpiFunction adjustWindowRectExForDpi = nullptr;

  PerMonitorFunctions() {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32 || !ReportsWindows10()) return;
    const auto find = [user32](auto& function, const char* name) {
      function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
          reinterpret_cast<void*>(GetProcAddress(user32, name)));
      return function != nullptr;
    };
    if (!(find(getDpiForWindow, "GetDpiForWindow") &&
          find(systemParametersInfoForDpi, "SystemParametersInfoForDpi") &&
          find(getSystemMetricsForDpi, "GetSystemMetricsForDpi") &&
          find(adjustWindowRectExForDpi, "AdjustWindowRectExForDpi"))) {
      getDpiForWindow = nullptr;
    }
  }

  static bool ReportsWindows10() {
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof version;
    version.dwMajorVersion = 10;
    const DWORDLONG condition = VerSetConditionMask(0, VER_MAJORVERSION, VER_GREATER_EQUAL);
    return VerifyVersionInfoW(&version, VER_MAJORVERSION, condition) != FALSE;
  }
  // All four were found.
  bool present() const { return getDpiForWindow != nullptr; }
};

const PerMonitorFunctions& Functions() {
  static const PerMonitorFunctions functions;
  return functions;
}

UINT SystemDpi() {
  static const UINT dpi = [] {
    HDC screen = GetDC(nullptr);
    const int pixels = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return pixels > 0 ? static_cast<UINT>(pixels) : USER_DEFAULT_SCREEN_DPI;
  }();
  return dpi;
}

int Scaled(int value, UINT dpi) { return MulDiv(value, static_cast<int>(dpi), static_cast<int>(SystemDpi())); }

}  // namespace

UINT ForWindow(HWND window) {
  const PerMonitorFunctions& functions = Functions();
  const UINT dpi = functions.present() ? functions.getDpiForWindow(window) : 0;
  const UINT found = dpi ? dpi : SystemDpi();
  static bool told = false;
  if (!told) {
    told = true;
    wchar_t line[64];
    std::swprintf(line, 64, L"Pelvorn DPI: %ls %u\n", dpi ? L"GetDpiForWindow" : L"GetDeviceCaps", found);
    OutputDebugStringW(line);
  }
  return found;
}

bool NonClientMetrics(NONCLIENTMETRICSW& metrics, UINT dpi) {
  metrics.cbSize = sizeof metrics;
  if (const PerMonitorFunctions& functions = Functions(); functions.present()) {
    return functions.systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
  }
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return false;
  // The system's metrics are for the system DPI.
  for (LOGFONTW* font : {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont,
                         &metrics.lfStatusFont, &metrics.lfMessageFont}) {
    font->lfHeight = Scaled(font->lfHeight, dpi);
  }
  return true;
}

int SystemMetric(int index, UINT dpi) {
  const PerMonitorFunctions& functions = Functions();
  return functions.present() ? functions.getSystemMetricsForDpi(index, dpi)
                             : Scaled(GetSystemMetrics(index), dpi);
}

bool AdjustWindowRect(RECT& rect, DWORD style, DWORD extendedStyle, UINT dpi) {
  const PerMonitorFunctions& functions = Functions();
  if (functions.present()) return functions.adjustWindowRectExForDpi(&rect, style, FALSE, extendedStyle, dpi);
  // The frame at the system DPI, around the client area of `dpi`.
  return AdjustWindowRectEx(&rect, style, FALSE, extendedStyle);
}

}  // namespace pelvorn::win32::dpi
