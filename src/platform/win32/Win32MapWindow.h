#pragma once

#include "window/MapPresenter.h"

#include <windows.h>

#include <string>
#include <vector>

namespace pelvorn::win32 {

// The menu command "Karte" of the window's context menus.
inline constexpr int MapCommand = 0x7103;

// The map window in Win32: a window of its own, owned by the main window,
// that shows the pixels or the line of text the MapPresenter hands it, and
// forwards its size and Esc.
class Win32MapWindow final : public MapView {
public:
  // Creates the window, hidden.
  Win32MapWindow(HINSTANCE instance, HWND mainWindow);
  ~Win32MapWindow() override;
  Win32MapWindow(const Win32MapWindow&) = delete;
  Win32MapWindow& operator=(const Win32MapWindow&) = delete;

  void setPresenter(MapPresenter& presenter) { presenter_ = &presenter; }

  // MapView
  bool shown() const override;
  void showBeside() override;
  void hideMap() override;
  Size clientPixels() const override;
  void showPixels(map::Pixels pixels) override;
  void showHint(std::u16string_view text) override;

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void paint();

  HWND window_ = nullptr;
  HWND main_;
  MapPresenter* presenter_ = nullptr;
  Size size_;                 // of the pixels below
  std::vector<BYTE> bgra_;    // top-down rows
  std::wstring hint_;
  bool placed_ = false;
};

}  // namespace pelvorn::win32
