#include "ConsolePlatform.h"

#include "QtText.h"

#include <QProcess>
#include <QStandardPaths>

namespace pelvorn {
namespace {

// Puts `line` on the Wayland clipboard with wl-copy, which stays behind to
// serve it. Returns false when wl-copy is missing or fails.
bool CopyWithWlCopy(std::u16string_view line) {
  if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) return false;
  const QString program = QStandardPaths::findExecutable(QStringLiteral("wl-copy"));
  if (program.isEmpty()) return false;
  QProcess process;
  process.setProgram(program);
  process.setArguments({QStringLiteral("--"), ToQString(line)});
  // Its server stays behind; it must not hold our caller's output open.
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  process.start();
  return process.waitForFinished(3000) && process.exitStatus() == QProcess::NormalExit &&
         process.exitCode() == 0;
}

std::u16string Trimmed(std::u16string_view text) { return ToU16(ToQString(text).trimmed()); }

}  // namespace

void ConsolePlatform::warning(std::u16string_view title, std::u16string_view prompt) {
  printError(Trimmed(title) + u": " + Trimmed(prompt));
}

void ConsolePlatform::information(std::u16string_view title, std::u16string_view prompt) {
  printError(Trimmed(title) + u": " + std::u16string(prompt));
}

bool ConsolePlatform::putOnClipboard(std::u16string_view line) {
  if (CopyWithWlCopy(line)) return true;
  if (!toldNoClipboard_) {
    toldNoClipboard_ = true;
    printError(u"Keine Zwischenablage erreichbar; das Ergebnis steht nur auf der Standardausgabe.");
  }
  return true;
}

}  // namespace pelvorn
