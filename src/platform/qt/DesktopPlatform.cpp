#include "DesktopPlatform.h"

#include "QtText.h"
#include "common/Text.h"
#include "platform/posix/ClipboardHandover.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>

#include <algorithm>
#include <chrono>

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
Handover HandToKeeper(const QString& line) {
  return HandOverToKeeper(FindClipboardKeeper(), line.toStdString(), std::chrono::milliseconds(3000));
}

}  // namespace

void DesktopPlatform::warning(std::u16string_view title, std::u16string_view prompt) {
  ShowBox(QMessageBox::Warning, ToQString(title), ToQString(prompt));
}

void DesktopPlatform::information(std::u16string_view title, std::u16string_view prompt) {
  ShowBox(QMessageBox::Information, ToQString(title), ToQString(prompt));
}

void DesktopPlatform::beep(std::u16string_view /*reason*/) { QApplication::beep(); }

bool DesktopPlatform::putOnClipboard(std::u16string_view text) {
  const QString line = ToQString(text);
  lastLine_ = line;
  if (run_ == Run::Hidden && OnX11()) {
    const Handover result = HandToKeeper(line);
    lineKept_ = Published(result);
    if (!lineKept_) printError(FromUtf8(HandoverFailureText(result)));
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
  if (!QGuiApplication::clipboard()->ownsClipboard()) return false;
  const Handover result = HandToKeeper(lastLine_);
  if (!Published(result)) printError(FromUtf8(HandoverFailureText(result)));
  return Published(result);
}

}  // namespace pelvorn
