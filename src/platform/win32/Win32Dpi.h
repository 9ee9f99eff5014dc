#pragma once

#include <windows.h>

namespace pelvorn::win32 {

// The DPI calls of the window. Windows 10 1607 measures each window in the
// DPI of its monitor (GetDpiForWindow and the ...ForDpi calls); older
// Windows, from 7 SP1 on, has neither: there the older metrics calls stand
// in, scaled to the monitor's DPI (GetDpiForMonitor of shcore.dll, Windows
// 8.1; WM_DPICHANGED when the window moves) or on 7 to the system DPI
// (GetDeviceCaps(LOGPIXELSY)). The newer functions are looked up at run
// time, so that Pelvorn.exe starts on every one of these systems.
namespace dpi {

// The window's DPI; the first call writes which way it was found to the
// debugger output ("Pelvorn DPI: GetDpiForWindow 96", "Pelvorn DPI:
// GetDpiForMonitor 96" or "Pelvorn DPI: GetDeviceCaps 96").
UINT ForWindow(HWND window);
// NONCLIENTMETRICSW (its message font) for `dpi`.
bool NonClientMetrics(NONCLIENTMETRICSW& metrics, UINT dpi);
// GetSystemMetrics for `dpi`.
int SystemMetric(int index, UINT dpi);
// AdjustWindowRectEx for `dpi`.
bool AdjustWindowRect(RECT& rect, DWORD style, DWORD extendedStyle, UINT dpi);

}  // namespace dpi
}  // namespace pelvorn::win32
