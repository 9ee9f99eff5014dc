#pragma once

#include "window/ControlTable.h"
#include "window/FrontEnd.h"
#include "window/WindowView.h"

#include <windows.h>

#include <array>
#include <memory>

namespace pelvorn {
class MapPresenter;
class PelvornForm;
}

namespace pelvorn::win32 {

class Win32Follower;
class Win32RotatorControl;

// The window "Pelvorn" made of plain Win32 controls from the control table.
// It forwards the window's events to the PelvornForm and does what the form
// asks; the dialog manager (IsDialogMessage) gives Tab, Enter, Esc and the
// Alt access keys, the message loop previews F1 for every control.
class Win32Window final : public WindowView, public FrontEnd {
public:
  // Creates the window and its controls, hidden.
  explicit Win32Window(HINSTANCE instance);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  HWND handle() const { return window_; }
  void setForm(PelvornForm& form) { form_ = &form; }
  // With a configured rotator: the direction field's menu and keys.
  void setRotator(std::unique_ptr<Win32RotatorControl> rotator);
  // The map window's presenter: F8 and "Karte" open it.
  void setMap(MapPresenter& map) { map_ = &map; }
  // The follower whose sightings FollowSightingMessage announces (null: none).
  void setFollower(Win32Follower* follower) { follower_ = follower; }
  // The direction field.
  HWND directionField() const;

  // WindowView
  std::u16string text(TextBox box) const override;
  void setText(TextBox box, std::u16string_view text) override;
  void setFocus(TextBox box) override;
  std::u16string caption(ResultField label) const override;
  void setCaption(ResultField label, std::u16string_view text) override;
  void setWindowCaption(std::u16string_view caption) override;
  void setVisible(bool visible) override;
  void unload() override;

  // FrontEnd
  void showWindow() override;
  void activateHidden() override;
  int exec() override;

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void onCommand(int id, int notification, HWND control);
  // WM_CONTEXTMENU at `screen` on the window or one of its labels, fields
  // or buttons: "Karte", after the antenna commands on the direction field.
  void contextMenu(POINT screen);
  // Places the controls for the window's DPI `dpi`, the font of that DPI and
  // the captions measured in it.
  void layOut(UINT dpi);
  // The focused push button is the one Enter presses; otherwise "&Rechnen".
  void followFocusWithDefaultButton(HWND focused);
  HWND control(Control which) const { return controls_[static_cast<std::size_t>(which)]; }

  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  HWND lastFocus_ = nullptr;      // restored when the window is activated again
  HWND defaultButton_ = nullptr;  // the button Enter presses
  std::array<HWND, Controls.size()> controls_{};
  PelvornForm* form_ = nullptr;
  std::unique_ptr<Win32RotatorControl> rotator_;
  MapPresenter* map_ = nullptr;
  Win32Follower* follower_ = nullptr;
};

}  // namespace pelvorn::win32
