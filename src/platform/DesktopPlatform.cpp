#include "DesktopPlatform.h"

#include "platform/ClipboardHandover.h"
#include "platform/posix/WaylandClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>

#include <QScreen>

#include <algorithm>
#include <chrono>
#include <cstdio>

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

// wl-copy (Wayland) and the keeper (X11, XWayland too) take the clipboard
// from whoever holds it and keep `line` on it until another program takes
// it. wl-copy goes first: where the compositor bridges the two clipboards,
// the keeper's X11 offer then stands on both sides. Returns whether one of
// them took it.
bool HandToHelpers(const QString& line) {
  const std::string utf8 = line.toStdString();
  bool kept = WaylandDisplayNamed() && HandOverToWlCopy(utf8, HandoverTimeout);
  if (OnX11() || !qEnvironmentVariableIsEmpty("DISPLAY")) {
    const std::string keeper = FindClipboardKeeper();
    kept = (!keeper.empty() && HandOverToKeeper(keeper, utf8, HandoverTimeout)) || kept;
  }
  return kept;
}

}  // namespace

void DesktopPlatform::warning(const QString& title, const QString& prompt) {
  ShowBox(QMessageBox::Warning, title, prompt);
}

void DesktopPlatform::information(const QString& title, const QString& prompt) {
  ShowBox(QMessageBox::Information, title, prompt);
}

void DesktopPlatform::beep(const QString& reason) {
  QApplication::beep();
  // Qt has no bell on Wayland, and a hidden run's caller hears none: say
  // why on standard error as well.
  if (run_ == Run::Hidden || !OnX11()) {
    const QByteArray utf8 = QStringLiteral("Pelvorn: %1\n").arg(reason).toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stderr);
  }
}

bool DesktopPlatform::putOnClipboard(const QString& line) {
  lastLine_ = line;
  if (run_ == Run::Hidden) {
    lineKept_ = HandToHelpers(line);
    return lineKept_;
  }
  lineKept_ = false;
  // A Wayland compositor ignores a clipboard set by a client without the
  // keyboard, and Qt cannot tell; a command-line result comes before the
  // window has the keyboard. wl-copy needs no focus. Under XWayland the
  // compositor would soon put its own clipboard over our X11 one.
  if (WaylandDisplayNamed() && QGuiApplication::focusWindow() == nullptr &&
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
  return QGuiApplication::clipboard()->ownsClipboard() && HandToHelpers(lastLine_);
}

}  // namespace pelvorn
