#include "InfoText.h"

#include "ApplicationIdentity.h"
#include "common/Text.h"
#include "common/Texts.h"

#include <string>

namespace pelvorn {

std::u16string InfoText(std::u16string_view lineBreak) {
  std::u16string text =
      FromUtf8(Fill(text::InfoHeadLine, {identity::ProductName, identity::Version, identity::Copyright}));
  for (const std::string_view line : text::InfoLines) {
    text += lineBreak;
    text += FromUtf8(line);
  }
  return text;
}

}  // namespace pelvorn
