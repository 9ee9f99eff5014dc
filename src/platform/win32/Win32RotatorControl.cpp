#include "Win32RotatorControl.h"

#include "common/Text.h"
#include "rotator/AzimuthRange.h"
#include "rotator/HiddenRunRotator.h"
#include "rotator/RotctlLines.h"
#include "window/PelvornForm.h"

#include <commctrl.h>

#include <cmath>

namespace pelvorn::win32 {
namespace {

// Within this much the antenna counts as standing on its target.
constexpr double Reached = 0.5;

enum EventKind : WPARAM { Commanded = 1, Position = 2, Failed = 3 };

struct RotatorEvent {
  double azimuth = 0.0;
  std::string message;  // German, UTF-8
};

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

std::u16string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return std::u16string(text.begin(), text.end());
}

}  // namespace

Win32RotatorControl::Win32RotatorControl(HWND window, HWND directionField, const PelvornForm& form,
                                         Platform& platform, const NumberLocale& locale,
                                         const std::string& addressText)
    : window_(window), field_(directionField), form_(form), platform_(platform), locale_(locale) {
  // The worker's events come on its thread and are posted to this one.
  auto post = [window](EventKind kind, RotatorEvent* payload) {
    if (!PostMessageW(window, RotatorEventMessage, kind, reinterpret_cast<LPARAM>(payload))) delete payload;
  };
  rotator::Worker::Events events;
  events.commanded = [post](double azimuth) { post(Commanded, new RotatorEvent{azimuth, {}}); };
  events.position = [post](double azimuth) { post(Position, new RotatorEvent{azimuth, {}}); };
  events.failed = [post](const std::string& message) { post(Failed, new RotatorEvent{0.0, message}); };
  rotator::Options options;
  options.decimalSeparator = locale.decimalSeparator < 0x80 ? static_cast<char>(locale.decimalSeparator) : ',';
  worker_ = std::make_unique<rotator::Worker>(addressText, options, std::move(events));
}

Win32RotatorControl::~Win32RotatorControl() {
  worker_.reset();
  // Events still queued are dropped with their payloads.
  MSG message;
  while (PeekMessageW(&message, window_, RotatorEventMessage, RotatorEventMessage, PM_REMOVE)) {
    delete reinterpret_cast<RotatorEvent*>(message.lParam);
  }
  if (tooltip_) DestroyWindow(tooltip_);
}

bool Win32RotatorControl::contextMenu(POINT screen) {
  RECT field;
  GetWindowRect(field_, &field);
  if (screen.x == -1 && screen.y == -1) {
    screen = {field.left, field.bottom};
  } else if (!PtInRect(&field, screen)) {
    return false;
  }
  HMENU menu = CreatePopupMenu();
  const UINT state = form_.showsResult() ? MF_ENABLED : MF_GRAYED;
  AppendMenuW(menu, MF_STRING | state, ShortPathCommand, L"Antenne drehen (kurzer Weg)\tF7");
  AppendMenuW(menu, MF_STRING | state, LongPathCommand, L"Antenne drehen (langer Weg)\tUmschalt+F7");
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, window_, nullptr);
  DestroyMenu(menu);
  return true;
}

bool Win32RotatorControl::keyDown(WPARAM key) {
  if (key != VK_F7) return false;
  turn(GetKeyState(VK_SHIFT) < 0);
  return true;
}

bool Win32RotatorControl::command(int id) {
  if (id != ShortPathCommand && id != LongPathCommand) return false;
  turn(id == LongPathCommand);
  return true;
}

void Win32RotatorControl::turn(bool longPath) {
  if (!form_.showsResult()) return;
  const auto direction = rotator::DirectionFromCaption(WindowText(field_), locale_.decimalSeparator);
  if (!direction) return;
  setTip(L"");
  worker_->turnTo(longPath ? rotator::LongPath(*direction) : *direction);
}

std::wstring Win32RotatorControl::degrees(double value) const {
  std::u16string text = FromUtf8(rotator::FormatDegrees(value));
  for (char16_t& c : text) {
    if (c == u'.') c = locale_.decimalSeparator;
  }
  return Wide(text) + L"\u00b0";
}

void Win32RotatorControl::setTip(const std::wstring& text) {
  if (!tooltip_) {
    tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, nullptr, nullptr);
    if (!tooltip_) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(field_);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(field_);
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32RotatorControl::event(WPARAM kind, LPARAM payload) {
  std::unique_ptr<RotatorEvent> event(reinterpret_cast<RotatorEvent*>(payload));
  if (!event) return;
  if (kind == Commanded) {
    target_ = event->azimuth;
    setTip(L"Antenne dreht auf " + degrees(event->azimuth));
  } else if (kind == Position) {
    if (std::fabs(event->azimuth - target_) <= Reached) {
      setTip(L"Antenne steht auf " + degrees(event->azimuth));
    } else {
      setTip(L"Antenne dreht auf " + degrees(target_) + L", steht auf " + degrees(event->azimuth));
    }
  } else if (kind == Failed) {
    setTip(L"");
    platform_.warning(u" Rotor ", FromUtf8(event->message));
  }
}

}  // namespace pelvorn::win32
