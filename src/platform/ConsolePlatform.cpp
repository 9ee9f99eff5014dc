#include "ConsolePlatform.h"

#include <QProcess>
#include <QStandardPaths>

#include <cstdio>

namespace pelvorn {
namespace {

void PrintError(const QString& text) {
  const QByteArray utf8 = QStringLiteral("Pelvorn: %1\n").arg(text).toUtf8();
  std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stderr);
  std::fflush(stderr);
}

// Puts `line` on the Wayland clipboard with wl-copy, which stays behind to
// serve it. Returns false when wl-copy is missing or fails.
bool CopyWithWlCopy(const QString& line) {
  if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) return false;
  const QString program = QStandardPaths::findExecutable(QStringLiteral("wl-copy"));
  if (program.isEmpty()) return false;
  QProcess process;
  process.setProgram(program);
  process.setArguments({QStringLiteral("--"), line});
  // Its server stays behind; it must not hold our caller's output open.
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  process.start();
  return process.waitForFinished(3000) && process.exitStatus() == QProcess::NormalExit &&
         process.exitCode() == 0;
}

}  // namespace

void ConsolePlatform::warning(const QString& title, const QString& prompt) {
  PrintError(title.trimmed() + QStringLiteral(": ") + prompt.trimmed());
}

void ConsolePlatform::information(const QString& title, const QString& prompt) {
  PrintError(title.trimmed() + QStringLiteral(": ") + prompt);
}

void ConsolePlatform::beep(const QString& reason) { PrintError(reason); }

bool ConsolePlatform::putOnClipboard(const QString& line) {
  if (CopyWithWlCopy(line)) return true;
  if (!toldNoClipboard_) {
    toldNoClipboard_ = true;
    PrintError(QStringLiteral(
        "Keine Zwischenablage erreichbar; das Ergebnis steht nur auf der Standardausgabe."));
  }
  return true;
}

}  // namespace pelvorn
