#include "ConsolePlatform.h"

#include "common/Text.h"
#include "common/Texts.h"
#include "platform/linux/WaylandClipboard.h"
#include "QtText.h"

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
    printError(FromUtf8(text::NoClipboardStdoutOnly));
  }
  return true;
}

}  // namespace pelvorn
