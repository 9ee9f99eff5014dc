#pragma once

#include "common/NumberLocale.h"
#include "window/Platform.h"
#include "rotator/RotatorWorker.h"

#include <windows.h>

#include <memory>
#include <string>

namespace pelvorn {
class PelvornForm;
}

namespace pelvorn::win32 {

// The message the rotator's worker thread posts to the window: WPARAM the
// kind of event, LPARAM a RotatorEvent* the window's thread deletes.
inline constexpr UINT RotatorEventMessage = WM_APP + 17;
// The menu commands of the direction field.
inline constexpr int ShortPathCommand = 0x7101;
inline constexpr int LongPathCommand = 0x7102;

// With a configured rotator: the context menu of the direction field,
// "Antenne drehen (kurzer Weg)" (F7) and "Antenne drehen (langer Weg)"
// (Shift+F7), enabled while the window shows a result. The antenna turns
// on the worker's thread; its failure is a warning box " Rotor ". The
// window's layout stays as it is; the position shows in the field's tooltip.
class Win32RotatorControl {
public:
  Win32RotatorControl(HWND window, HWND directionField, const PelvornForm& form, Platform& platform,
                      const NumberLocale& locale, const std::string& addressText);
  // Stops the worker before the window goes (its thread posts to it).
  ~Win32RotatorControl();
  Win32RotatorControl(const Win32RotatorControl&) = delete;
  Win32RotatorControl& operator=(const Win32RotatorControl&) = delete;

  // WM_CONTEXTMENU at `screen` (-1, -1 from the keyboard): the menu when
  // the point is on the direction field. False when it is not.
  bool contextMenu(POINT screen);
  // A key press of the message loop: F7 and Shift+F7. True when used.
  bool keyDown(WPARAM key);
  // WM_COMMAND of a menu item; true when it was one of the two.
  bool command(int id);
  // RotatorEventMessage.
  void event(WPARAM kind, LPARAM payload);

private:
  void turn(bool longPath);
  void setTip(const std::wstring& text);
  std::wstring degrees(double value) const;

  HWND window_;
  HWND field_;
  HWND tooltip_ = nullptr;
  const PelvornForm& form_;
  Platform& platform_;
  NumberLocale locale_;
  double target_ = 0.0;
  std::unique_ptr<rotator::Worker> worker_;
};

}  // namespace pelvorn::win32
