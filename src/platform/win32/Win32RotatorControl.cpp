#include "Win32RotatorControl.h"

#include "WideText.h"
#include "common/Texts.h"
#include "window/PelvornForm.h"

#include <commctrl.h>

#include <functional>

namespace pelvorn::win32 {
namespace {

using Event = std::function<void()>;


}  // namespace

Win32RotatorControl::Win32RotatorControl(HWND window, HWND directionField, const PelvornForm& form,
                                         Platform& platform, const rotator::RotatorAntenna& antenna)
    : window_(window), field_(directionField), form_(form), platform_(platform) {
  // The worker's events come on its thread and are posted to this one.
  rotator::AntennaView& view = *this;
  presenter_ = std::make_unique<rotator::AntennaPresenter>(view, antenna, [window](Event event) {
    auto* payload = new Event(std::move(event));
    if (!PostMessageW(window, RotatorEventMessage, 0, reinterpret_cast<LPARAM>(payload))) delete payload;
  });
}

Win32RotatorControl::~Win32RotatorControl() {
  presenter_.reset();
  // Events still queued are dropped with their payloads.
  MSG message;
  while (PeekMessageW(&message, window_, RotatorEventMessage, RotatorEventMessage, PM_REMOVE)) {
    delete reinterpret_cast<Event*>(message.lParam);
  }
  if (tooltip_) DestroyWindow(tooltip_);
}

bool Win32RotatorControl::addMenuItems(HMENU menu, POINT& screen) {
  RECT field;
  GetWindowRect(field_, &field);
  if (screen.x == -1 && screen.y == -1) {
    screen = {field.left, field.bottom};
  } else if (!PtInRect(&field, screen)) {
    return false;
  }
  const UINT state = presenter_->actionsEnabled() ? MF_ENABLED : MF_GRAYED;
  using namespace rotator;
  const auto item = [](std::string_view caption, std::string_view key) {
    return Wide(std::string_view(std::string(caption) + '\t' + std::string(key)));
  };
  AppendMenuW(menu, MF_STRING | state, ShortPathCommand, item(text::TurnShortPath, text::ShortPathKey).c_str());
  AppendMenuW(menu, MF_STRING | state, LongPathCommand, item(text::TurnLongPath, text::LongPathKey).c_str());
  AppendMenuW(menu, MF_STRING | (presenter_->stopEnabled() ? MF_ENABLED : MF_GRAYED), StopCommand,
              item(text::StopAntenna, text::StopKey).c_str());
  AppendMenuW(menu, MF_STRING, ParkCommand, Wide(text::ParkAntenna).c_str());
  return true;
}

bool Win32RotatorControl::keyDown(WPARAM key) {
  if (key == VK_F9) {
    presenter_->stop();
    return true;
  }
  if (key != VK_F7) return false;
  presenter_->turn(GetKeyState(VK_SHIFT) < 0);
  return true;
}

bool Win32RotatorControl::command(int id) {
  if (id == StopCommand || id == ParkCommand) {
    id == StopCommand ? presenter_->stop() : presenter_->park();
    return true;
  }
  if (id != ShortPathCommand && id != LongPathCommand) return false;
  presenter_->turn(id == LongPathCommand);
  return true;
}

void Win32RotatorControl::event(LPARAM payload) {
  const std::unique_ptr<Event> event(reinterpret_cast<Event*>(payload));
  if (event && *event) (*event)();
}

bool Win32RotatorControl::showsResult() const { return form_.showsResult(); }

std::u16string Win32RotatorControl::directionCaption() const {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(field_, text.data(), static_cast<int>(text.size()))));
  return std::u16string(text.begin(), text.end());
}

void Win32RotatorControl::setTip(std::u16string_view text) {
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
  std::wstring wide = Wide(text);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(field_);
  tool.lpszText = wide.data();
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32RotatorControl::warn(std::u16string_view title, std::u16string_view message) {
  platform_.warning(title, message);
}

}  // namespace pelvorn::win32
