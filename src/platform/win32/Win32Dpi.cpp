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
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int EffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

// Whether the system reports Windows `major`.`minor` or later (a manifest
// lists every version up to 11, so Windows does not pretend to be older).
bool ReportsAtLeast(DWORD major, DWORD minor) {
  OSVERSIONINFOEXW version{};
  version.dwOSVersionInfoSize = sizeof version;
  version.dwMajorVersion = major;
  version.dwMinorVersion = minor;
  const DWORDLONG condition = VerSetConditionMask(VerSetConditionMask(0, VER_MAJORVERSION, VER_GREATER_EQUAL),
                                                  VER_MINORVERSION, VER_GREATER_EQUAL);
  return VerifyVersionInfoW(&version, VER_MAJORVERSION | VER_MINORVERSION, condition) != FALSE;
}

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
    if (!user32 || !ReportsAtLeast(10, 0)) return;
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

  // All four were found.
  bool present() const { return getDpiForWindow != nullptr; }
};

const PerMonitorFunctions& Functions() {
  static const PerMonitorFunctions functions;
  return functions;
}

// shcore's GetDpiForMonitor, where the system reports Windows 8.1 or later:
// the DPI of the window's monitor where GetDpiForWindow is missing (8.1 and
// 10 before 1607). Loaded from System32 alone: Windows 7 has no shcore.dll,
// and one lying beside the program must not stand in for it.
GetDpiForMonitorFunction MonitorDpiFunction() {
  static const GetDpiForMonitorFunction function = []() -> GetDpiForMonitorFunction {
    if (!ReportsAtLeast(6, 3)) return nullptr;
    HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!shcore) return nullptr;
    return reinterpret_cast<GetDpiForMonitorFunction>(reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
  }();
  return function;
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
  UINT dpi = 0;
  const wchar_t* way = L"GetDpiForWindow";
  if (functions.present()) {
    dpi = functions.getDpiForWindow(window);
  } else if (const GetDpiForMonitorFunction monitorDpi = MonitorDpiFunction()) {
    way = L"GetDpiForMonitor";
    UINT x = 0;
    if (FAILED(monitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), EffectiveDpi, &x, &dpi))) dpi = 0;
  }
  if (dpi == 0) {
    way = L"GetDeviceCaps";
    dpi = SystemDpi();
  }
  static bool told = false;
  if (!told) {
    told = true;
    wchar_t line[64];
    std::swprintf(line, 64, L"Pelvorn DPI: %ls %u\n", way, dpi);
    OutputDebugStringW(line);
  }
  return dpi;
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
