#include "ConsolePlatform.h"

#include "QtText.h"
#include "common/Text.h"
#include "platform/linux/WaylandClipboard.h"

#include <chrono>

namespace pelvorn {
namespace {

std::u16string Trimmed(std::u16string_view text) { return ToU16(ToQString(text).trimmed()); }

}  // namespace

void ConsolePlatform::warning(std::u16string_view title, std::u16string_view prompt) {
  printError(Trimmed(title) + u": " + Trimmed(prompt));
}

void ConsolePlatform::information(std::u16string_view title, std::u16string_view prompt) {
  printError(Trimmed(title) + u": " + std::u16string(prompt));
}

bool ConsolePlatform::putOnClipboard(std::u16string_view line) {
  if (HandOverToWlCopy(ToUtf8(line), std::chrono::milliseconds(3000))) return true;
  if (!toldNoClipboard_) {
    toldNoClipboard_ = true;
    printError(u"Keine Zwischenablage erreichbar; das Ergebnis steht nur auf der Standardausgabe.");
  }
  return true;
}

}  // namespace pelvorn
