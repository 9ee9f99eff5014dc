#include "ConsolePlatform.h"

#include "platform/posix/WaylandClipboard.h"

#include <chrono>

#include <cstdio>

namespace pelvorn {
namespace {

void PrintError(const QString& text) {
  const QByteArray utf8 = QStringLiteral("Pelvorn: %1\n").arg(text).toUtf8();
  std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stderr);
  std::fflush(stderr);
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
  if (HandOverToWlCopy(line.toStdString(), std::chrono::milliseconds(3000))) return true;
  if (!toldNoClipboard_) {
    toldNoClipboard_ = true;
    PrintError(QStringLiteral(
        "Keine Zwischenablage erreichbar; das Ergebnis steht nur auf der Standardausgabe."));
  }
  return true;
}

}  // namespace pelvorn
