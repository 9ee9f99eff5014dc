#include "DesktopPlatform.h"

#include "platform/ClipboardHandover.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace pelvorn {
namespace {

void ShowBox(QMessageBox::Icon icon, const QString& title, const QString& prompt) {
  QMessageBox box(icon, title, prompt, QMessageBox::Ok);
  // The text is laid out in lines of its own; keep Qt from wrapping them.
  int widest = 0;
  for (const QString& line : prompt.split(QLatin1Char('\n'))) {
    widest = std::max(widest, box.fontMetrics().horizontalAdvance(line));
  }
  box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { min-width: %1px; }").arg(widest));
  box.exec();
}

bool OnX11() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

// The keeper takes the clipboard from whoever holds it and keeps `line` on
// it until another program takes it.
// Says on standard error why not, when it failed.
bool HandToKeeper(const QString& line) {
  const Handover result =
      HandOverToKeeper(FindClipboardKeeper(), line.toStdString(), std::chrono::milliseconds(3000));
  if (!Published(result)) {
    const std::string_view text = HandoverFailureText(result);
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
  }
  return Published(result);
}

}  // namespace

void DesktopPlatform::warning(const QString& title, const QString& prompt) {
  ShowBox(QMessageBox::Warning, title, prompt);
}

void DesktopPlatform::information(const QString& title, const QString& prompt) {
  ShowBox(QMessageBox::Information, title, prompt);
}

void DesktopPlatform::beep(const QString& /*reason*/) { QApplication::beep(); }

bool DesktopPlatform::putOnClipboard(const QString& line) {
  lastLine_ = line;
  if (run_ == Run::Hidden && OnX11()) {
    lineKept_ = HandToKeeper(line);
    return lineKept_;
  }
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(line);
  lineKept_ = false;
  // On X11 a set the server refused leaves us without ownership.
  return OnX11() ? clipboard->ownsClipboard() : clipboard->text() == line;
}

bool DesktopPlatform::keepClipboardAfterExit() {
  if (lineKept_ || lastLine_.isEmpty() || !OnX11()) return true;
  return QGuiApplication::clipboard()->ownsClipboard() && HandToKeeper(lastLine_);
}


}  // namespace pelvorn
