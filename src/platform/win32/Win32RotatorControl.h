#pragma once

#include "rotator/AntennaPresenter.h"
#include "window/Platform.h"

#include <windows.h>

#include <memory>
#include <string>

namespace pelvorn {
class PelvornForm;
namespace rotator {
class RotatorAntenna;
}
}  // namespace pelvorn

namespace pelvorn::win32 {

// The message that hands the rotator worker's events to the window's
// thread: LPARAM a std::function<void()>* the window's thread runs and
// deletes.
inline constexpr UINT RotatorEventMessage = WM_APP + 17;
// The menu commands of the direction field.
inline constexpr int ShortPathCommand = 0x7101;
inline constexpr int LongPathCommand = 0x7102;
inline constexpr int StopCommand = 0x7103;
inline constexpr int ParkCommand = 0x7104;

// The antenna commands in Win32, present only when a rotator is
// configured: the direction field's context menu, the keys F7,
// Shift+F7 and F9 (stop), the field's tooltip, and the hand-off of the worker's events
// to the window's thread. What they do is the AntennaPresenter's. The
// window's layout stays as it is.
class Win32RotatorControl final : private rotator::AntennaView {
public:
  Win32RotatorControl(HWND window, HWND directionField, const PelvornForm& form, Platform& platform,
                      const rotator::RotatorAntenna& antenna);
  // Stops the worker before the window goes (its thread posts to it).
  ~Win32RotatorControl() override;
  Win32RotatorControl(const Win32RotatorControl&) = delete;
  Win32RotatorControl& operator=(const Win32RotatorControl&) = delete;

  // WM_CONTEXTMENU at `screen` (-1, -1 from the keyboard, which is then
  // moved to the direction field): adds the antenna commands to `menu` when
  // the point is on the direction field. False when it is not.
  bool addMenuItems(HMENU menu, POINT& screen);
  // A key press of the message loop: F7, Shift+F7 and F9. True when used.
  bool keyDown(WPARAM key);
  // WM_COMMAND of a menu item; true when it was one of the field's.
  bool command(int id);
  // RotatorEventMessage.
  void event(LPARAM payload);

private:
  // AntennaView
  bool showsResult() const override;
  std::u16string directionCaption() const override;
  void setTip(std::u16string_view text) override;
  void warn(std::u16string_view title, std::u16string_view message) override;

  HWND window_;
  HWND field_;
  HWND tooltip_ = nullptr;
  const PelvornForm& form_;
  Platform& platform_;
  std::unique_ptr<rotator::AntennaPresenter> presenter_;
};

}  // namespace pelvorn::win32
