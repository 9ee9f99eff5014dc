#include "DesktopPlatform.h"

#include "common/Text.h"
#include "common/Texts.h"
#include "platform/linux/ClipboardHandover.h"
#include "platform/linux/WaylandClipboard.h"
#include "QtText.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>
#include <chrono>

namespace pelvorn {
namespace {

void ShowBox(QMessageBox::Icon icon, const QString& title, const QString& prompt) {
  QMessageBox box(icon, title, prompt, QMessageBox::Ok);
  // The text is laid out in lines of its own; keep Qt from wrapping them,
  // unless the screen is too narrow for the longest (a large scale factor).
  int widest = 0;
  for (const QString& line : prompt.split(QLatin1Char('\n'))) {
    widest = std::max(widest, box.fontMetrics().horizontalAdvance(line));
  }
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const int room = screen->availableGeometry().width() - 6 * box.fontMetrics().height();
    widest = std::max(1, std::min(widest, room));
  }
  box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { min-width: %1px; }").arg(widest));
  box.exec();
}

bool OnX11() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

constexpr std::chrono::milliseconds HandoverTimeout(3000);

// wl-copy and the keeper (X11, XWayland too) take the clipboard from
// whoever holds it and keep `line` on it until another program takes it.
// Returns whether one of them took it; says why not on standard error.
bool HandToHelpers(DesktopPlatform& platform, const QString& line) {
  const bool x11 = OnX11() || !qEnvironmentVariableIsEmpty("DISPLAY");
  Handover keeper = Handover::NoKeeper;
  if (HandOverToClipboardHelpers(line.toStdString(), x11, HandoverTimeout, &keeper)) return true;
  platform.printError(x11 ? FromUtf8(HandoverFailureText(keeper))
                          : FromUtf8(text::ClipboardRefused));
  return false;
}

}  // namespace

DesktopPlatform::DesktopPlatform(Run run) : run_(run) { qApp->installEventFilter(&input_); }

bool DesktopPlatform::InputSeen::eventFilter(QObject*, QEvent* event) {
  const QEvent::Type type = event->type();
  seen = seen || type == QEvent::KeyPress || type == QEvent::MouseButtonPress || type == QEvent::TouchBegin;
  return false;
}

void DesktopPlatform::warning(std::u16string_view title, std::u16string_view prompt) {
  ShowBox(QMessageBox::Warning, ToQString(title), ToQString(prompt));
}

void DesktopPlatform::information(std::u16string_view title, std::u16string_view prompt) {
  ShowBox(QMessageBox::Information, ToQString(title), ToQString(prompt));
}

void DesktopPlatform::beep(std::u16string_view reason) {
  QApplication::beep();
  // Qt has no bell on Wayland; a hidden run says why when it ends.
  if (!OnX11() && run_ == Run::Ordinary) printError(reason);
}

bool DesktopPlatform::putOnClipboard(std::u16string_view text) {
  const QString line = ToQString(text);
  lastLine_ = line;
  if (run_ == Run::Hidden) {
    lineKept_ = HandToHelpers(*this, line);
    return lineKept_;
  }
  lineKept_ = false;
  // A Wayland compositor ignores a clipboard set by a client without the
  // keyboard or before any input of the user, and Qt cannot tell; a
  // command-line result comes before the window has the keyboard, a
  // followed station may come before the user has pressed anything. wl-copy
  // needs neither. Under XWayland the compositor would soon put its own
  // clipboard over our X11 one.
  if (WaylandDisplayNamed() && (QGuiApplication::focusWindow() == nullptr || !input_.seen) &&
      HandOverToWlCopy(line.toStdString(), HandoverTimeout)) {
    lineKept_ = true;
    if (!OnX11()) return true;
  }
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(line);
  // On X11 a set the server refused leaves us without ownership.
  return OnX11() ? clipboard->ownsClipboard() : clipboard->text() == line;
}

bool DesktopPlatform::keepClipboardAfterExit() {
  if (lineKept_ || lastLine_.isEmpty()) return true;
  if (!QGuiApplication::clipboard()->ownsClipboard()) return false;
  return HandToHelpers(*this, lastLine_);
}

}  // namespace pelvorn
