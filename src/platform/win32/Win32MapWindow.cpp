#include "Win32MapWindow.h"

#include "Win32Dpi.h"
#include "WideText.h"
#include "common/Texts.h"

namespace pelvorn::win32 {
namespace {

constexpr wchar_t ClassName[] = L"PelvornMap";
constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW;
// The first side of the client area and the smallest, at 96 DPI; the gap
// between the two windows.
constexpr int FirstSide = 500;
constexpr int SmallestSide = 200;
constexpr int Gap = 8;

int Scaled(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

}  // namespace

Win32MapWindow::Win32MapWindow(HINSTANCE instance, HWND mainWindow) : main_(mainWindow) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &Win32MapWindow::Procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, L"IDI_ICON1");
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  windowClass.lpszClassName = ClassName;
  RegisterClassExW(&windowClass);
  CreateWindowExW(0, ClassName, Wide(text::MapWindowTitle).c_str(), WindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, mainWindow, nullptr, instance, this);
}

Win32MapWindow::~Win32MapWindow() {
  if (window_) DestroyWindow(window_);
}

bool Win32MapWindow::shown() const { return window_ && IsWindowVisible(window_); }

void Win32MapWindow::showBeside() {
  if (!window_) return;
  if (!placed_) {
    // Beside the main window, its top on the same height.
    const UINT dpi = dpi::ForWindow(main_);
    RECT main{}, frame{0, 0, Scaled(FirstSide, dpi), Scaled(FirstSide, dpi)};
    GetWindowRect(main_, &main);
    dpi::AdjustWindowRect(frame, WindowStyle, 0, dpi);
    SetWindowPos(window_, nullptr, main.right + Scaled(Gap, dpi), main.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    placed_ = true;
  }
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(window_);
}

void Win32MapWindow::hideMap() {
  if (window_) ShowWindow(window_, SW_HIDE);
  // The keyboard goes back to the main window.
  if (IsWindowVisible(main_)) SetForegroundWindow(main_);
}

MapView::Size Win32MapWindow::clientPixels() const {
  RECT client{};
  if (window_) GetClientRect(window_, &client);
  return {client.right, client.bottom};
}

void Win32MapWindow::showPixels(map::Pixels pixels) {
  size_ = {pixels.width, pixels.height};
  bgra_ = std::move(pixels.rgba);
  for (std::size_t i = 0; i + 3 < bgra_.size(); i += 4) std::swap(bgra_[i], bgra_[i + 2]);
  hint_.clear();
  if (window_) InvalidateRect(window_, nullptr, TRUE);
}

void Win32MapWindow::showHint(std::u16string_view text) {
  bgra_.clear();
  size_ = {};
  hint_ = Wide(text);
  if (window_) InvalidateRect(window_, nullptr, TRUE);
}

void Win32MapWindow::paint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window_, &paint);
  RECT client{};
  GetClientRect(window_, &client);
  if (!bgra_.empty()) {
    // Beside the square, the colour of the map's corner.
    HBRUSH corner = CreateSolidBrush(RGB(bgra_[2], bgra_[1], bgra_[0]));
    FillRect(dc, &client, corner);
    DeleteObject(corner);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size_.width;
    info.bmiHeader.biHeight = -size_.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, (client.right - size_.width) / 2, (client.bottom - size_.height) / 2, size_.width,
                      size_.height, 0, 0, 0, size_.height, bgra_.data(), &info, DIB_RGB_COLORS);
  } else if (!hint_.empty()) {
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, hint_.c_str(), static_cast<int>(hint_.size()), &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, previous);
  }
  EndPaint(window_, &paint);
}

LRESULT CALLBACK Win32MapWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Win32MapWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32MapWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self ? self->handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32MapWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_;
  switch (message) {
    case WM_PAINT:
      paint();
      return 0;
    case WM_ERASEBKGND:
      if (!bgra_.empty()) return 1;  // the map covers it all
      break;
    case WM_SIZE:
      if (presenter_ && wParam != SIZE_MINIMIZED) presenter_->resized();
      return 0;
    case WM_GETMINMAXINFO: {
      const UINT dpi = dpi::ForWindow(window_);
      RECT frame{0, 0, Scaled(SmallestSide, dpi), Scaled(SmallestSide, dpi)};
      dpi::AdjustWindowRect(frame, WindowStyle, 0, dpi);
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
      return 0;
    }
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE && presenter_) {
        presenter_->close();
        return 0;
      }
      break;
    case WM_CLOSE:
      hideMap();
      return 0;
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace pelvorn::win32
