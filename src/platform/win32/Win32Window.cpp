#include "Win32Window.h"

#include "Win32Dpi.h"
#include "Win32Follower.h"
#include "Win32MapWindow.h"
#include "Win32RotatorControl.h"

#include "WideText.h"
#include "common/Texts.h"
#include "window/Keys.h"
#include "window/MapPresenter.h"
#include "window/WindowLayout.h"
#include "window/PelvornForm.h"

#include <windowsx.h>

#include <optional>
#include <string_view>

namespace pelvorn::win32 {
namespace {

constexpr wchar_t ClassName[] = L"PelvornWindow";
constexpr UINT FirstActivation = WM_APP + 1;  // posted once the window has been shown
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

constexpr Control Buttons[] = {Control::CalculateButton, Control::QuitButton, Control::InfoButton};

// Control ids: the dialog manager presses IDOK for Enter and IDCANCEL for Esc.
int ControlId(Control control) {
  if (control == ButtonPressedByEnter(std::nullopt)) return IDOK;
  if (control == ButtonPressedByEscape) return IDCANCEL;
  return 100 + static_cast<int>(control);
}

std::u16string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return FromWide(text);
}

void SetWindowTextOf(HWND window, std::u16string_view text) {
  SetWindowTextW(window, Wide(text).c_str());
}

HWND CreateControl(HWND parent, HINSTANCE instance, const ControlEntry& entry) {
  const DWORD centre = entry.alignment == Alignment::Centre ? SS_CENTER : SS_LEFT;
  const wchar_t* windowClass = L"STATIC";
  DWORD style = WS_CHILD | WS_VISIBLE;
  DWORD extended = 0;
  switch (entry.kind) {
    case ControlKind::Label:
      style |= centre;
      break;
    case ControlKind::ResultField:
      style |= centre | SS_SUNKEN | SS_NOPREFIX | SS_CENTERIMAGE;
      break;
    case ControlKind::TextBox:
      windowClass = L"EDIT";
      style |= WS_TABSTOP | ES_AUTOHSCROLL;
      extended = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Button:
      windowClass = L"BUTTON";
      style |= WS_TABSTOP | BS_NOTIFY | (ControlId(entry.control) == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
      break;
  }
  HWND control = CreateWindowExW(extended, windowClass, Wide(entry.caption).c_str(), style, 0, 0, 0, 0,
                                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(entry.control))),
                                 instance, nullptr);
  if (entry.kind == ControlKind::TextBox) SendMessageW(control, EM_SETLIMITTEXT, LocatorBoxMaxLength, 0);
  return control;
}

// Shift, Ctrl and Alt as the key handler's shift mask (1, 2, 4).
int ShiftMask() {
  return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
         (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, L"IDI_ICON1");
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  windowClass.lpszClassName = ClassName;
  RegisterClassExW(&windowClass);
}

}  // namespace

Win32Window::Win32Window(HINSTANCE instance) {
  RegisterWindowClass(instance, &Win32Window::Procedure);
  window_ = CreateWindowExW(0, ClassName, Wide(DesignCaption).c_str(), WindowStyle, CW_USEDEFAULT,
                            CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this);
  for (const ControlEntry& entry : Controls) {
    controls_[static_cast<std::size_t>(entry.control)] = CreateControl(window_, instance, entry);
  }
  defaultButton_ = control(ButtonPressedByEnter(std::nullopt));
  layOut(dpi::ForWindow(window_));
}

Win32Window::~Win32Window() {
  rotator_.reset();
  if (window_) DestroyWindow(window_);
  if (font_) DeleteObject(font_);
}

void Win32Window::layOut(UINT dpi) {
  if (!window_) return;
  NONCLIENTMETRICSW metrics{};
  dpi::NonClientMetrics(metrics, dpi);
  HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);

  // The layout grows as a whole when the font is larger than the one it was
  // drawn for, so that no caption is clipped.
  const double pixelsPerTwip = dpi / 1440.0;
  HDC dc = GetDC(window_);
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICW text{};
  GetTextMetricsW(dc, &text);
  const int edge = dpi::SystemMetric(SM_CXEDGE, dpi);
  const double scale = LayoutScale(pixelsPerTwip, [&](const ControlEntry& entry) -> NeededRoom {
    std::wstring caption = Wide(entry.caption);
    std::erase(caption, L'&');
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    int width = extent.cx, height = text.tmHeight;
    if (entry.kind == ControlKind::Button) width += 4 * edge, height += 2 * edge;
    if (entry.kind == ControlKind::TextBox) height += 2 * edge + 2;
    if (entry.kind == ControlKind::TextBox || entry.control == Control::InfoButton) width = 0;  // no caption shown
    return {static_cast<double>(width), static_cast<double>(height)};
  });
  SelectObject(dc, previous);
  ReleaseDC(window_, dc);

  const auto pixels = [&](int twips) { return ToPixels(twips, pixelsPerTwip, scale); };
  for (const ControlEntry& entry : Controls) {
    const PixelRect r = ToPixels(entry.twips, pixelsPerTwip, scale);
    SetWindowPos(control(entry.control), nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control(entry.control), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  RECT frame{0, 0, pixels(ClientWidthTwips), pixels(ClientHeightTwips)};
  dpi::AdjustWindowRect(frame, WindowStyle, 0, dpi);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (font_) DeleteObject(font_);
  font_ = font;
}

std::u16string Win32Window::text(TextBox box) const {
  return window_ ? WindowText(control(ControlOf(box))) : std::u16string();
}

void Win32Window::setText(TextBox box, std::u16string_view text) {
  if (window_) SetWindowTextOf(control(ControlOf(box)), text.substr(0, LocatorBoxMaxLength));
}

void Win32Window::setFocus(TextBox box) {
  if (window_ && IsWindowVisible(window_)) SetFocus(control(ControlOf(box)));
}

std::u16string Win32Window::caption(ResultField label) const {
  return window_ ? WindowText(control(ControlOf(label))) : std::u16string();
}

void Win32Window::setCaption(ResultField label, std::u16string_view text) {
  if (window_) SetWindowTextOf(control(ControlOf(label)), text);
}

void Win32Window::setWindowCaption(std::u16string_view caption) {
  if (window_) SetWindowTextOf(window_, caption);
}

void Win32Window::setVisible(bool visible) {
  if (window_ && !IsWindowVisible(window_) != !visible) ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

void Win32Window::unload() {
  if (window_) DestroyWindow(window_);
}

void Win32Window::showWindow() {
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  SetFocus(control(Control::OwnLocatorBox));
  PostMessageW(window_, FirstActivation, 0, 0);
}

void Win32Window::setRotator(std::unique_ptr<Win32RotatorControl> rotator) { rotator_ = std::move(rotator); }

HWND Win32Window::directionField() const { return control(Control::DirectionField); }

void Win32Window::activateHidden() { PostMessageW(window_, FirstActivation, 0, 0); }

int Win32Window::exec() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Key preview: the window sees every key release before the control
    // that has the focus (Alt+F1 arrives as a system key).
    if ((message.message == WM_KEYUP || message.message == WM_SYSKEYUP) && window_ && form_ &&
        (message.hwnd == window_ || IsChild(window_, message.hwnd))) {
      form_->keyReleased(static_cast<int>(message.wParam), ShiftMask());
    }
    const bool ours = window_ && (message.hwnd == window_ || IsChild(window_, message.hwnd));
    if (message.message == WM_KEYDOWN && ours && rotator_ && rotator_->keyDown(message.wParam)) continue;
    if (message.message == WM_KEYDOWN && ours && message.wParam == VK_F8 && map_) {
      map_->open();
      continue;
    }
    if (window_ && IsDialogMessageW(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

void Win32Window::followFocusWithDefaultButton(HWND focused) {
  std::optional<Control> focusedButton;
  for (const Control button : Buttons) {
    if (control(button) == focused) focusedButton = button;
  }
  HWND pressedByEnter = control(ButtonPressedByEnter(focusedButton));
  if (pressedByEnter == defaultButton_) return;
  for (const Control button : Buttons) {
    SendMessageW(control(button), BM_SETSTYLE,
                 control(button) == pressedByEnter ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
  defaultButton_ = pressedByEnter;
}

void Win32Window::contextMenu(POINT screen) {
  HMENU menu = CreatePopupMenu();
  if (rotator_) rotator_->addMenuItems(menu, screen);
  if (screen.x == -1 && screen.y == -1) {
    // From the keyboard, with the focus on a button: below it.
    RECT focused{};
    GetWindowRect(GetFocus() ? GetFocus() : window_, &focused);
    screen = {focused.left, focused.bottom};
  }
  const std::wstring item = Wide(text::MapCommand) + L'\t' + Wide(text::MapKey);
  AppendMenuW(menu, MF_STRING, MapCommand, item.c_str());
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, window_, nullptr);
  DestroyMenu(menu);
}

void Win32Window::onCommand(int id, int notification, HWND sender) {
  if (notification == BN_SETFOCUS || notification == EN_SETFOCUS) {
    followFocusWithDefaultButton(sender);
  } else if (notification == BN_CLICKED && form_) {
    if (id == IDOK) form_->calculate();
    if (id == IDCANCEL) form_->quit();
  }
}

LRESULT CALLBACK Win32Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self ? self->handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_;
  switch (message) {
    case FirstActivation:
      if (form_) form_->activateOnce();
      return 0;
    case WM_CONTEXTMENU:
      contextMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case RotatorEventMessage:
      if (rotator_) rotator_->event(lParam);
      return 0;
    case FollowSightingMessage:
      if (follower_) follower_->showSightings();
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == 0 && lParam == 0 && rotator_ && rotator_->command(LOWORD(wParam))) return 0;
      if (HIWORD(wParam) == 0 && lParam == 0 && LOWORD(wParam) == MapCommand) {
        if (map_) map_->open();
        return 0;
      }
      onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(GetDlgCtrlID(defaultButton_), DC_HASDEFID);
    case WM_NEXTDLGCTL: {
      // Sent by the dialog manager for a label's access key: focus the label,
      // then the next control that takes the focus.
      HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                   : GetNextDlgTabItem(window_, GetFocus(), wParam != 0);
      if (target) SetFocus(target);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focused = GetFocus();
        if (focused && IsChild(window_, focused)) lastFocus_ = focused;
      } else if (!HIWORD(wParam)) {
        SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : control(Control::OwnLocatorBox));
      }
      return 0;
    case WM_CTLCOLORSTATIC: {
      HWND field = reinterpret_cast<HWND>(lParam);
      if (field == control(Control::DistanceField) || field == control(Control::DirectionField)) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      break;
    }
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      layOut(HIWORD(wParam));  // the new DPI, also where GetDpiForWindow is missing (8.1)
      return 0;
    }
    case WM_CLOSE:
      if (form_) form_->closedByUser();
      return 0;
    case WM_NCDESTROY:
      window_ = nullptr;
      controls_.fill(nullptr);
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace pelvorn::win32
