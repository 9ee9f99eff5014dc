#include "LocatorInput.h"

#include "arithmetic/CharacterCode.h"
#include "arithmetic/LocatorDecoding.h"
#include "common/Text.h"

namespace pelvorn {
namespace {

constexpr std::size_t ShortestUsableLength = 4;

bool CodeBetween(char16_t c, int above, int below) {
  const int code = CharacterCode(c);
  return code > above && code < below;
}

}  // namespace

LocatorBoxOutcome NormaliseLocatorBox(std::u16string_view boxText) {
  std::u16string text = ToCapitals(TrimBlanks(boxText));
  const bool passes = text.size() > 5 && CodeBetween(text[0], 64, 83);
  if (!passes) {
    if (text.size() < ShortestUsableLength) {
      return {LocatorBoxOutcome::Verdict::TooShort, text, true};
    }
    if (CodeBetween(text.back(), 47, 58)) text = text.substr(0, 4) + u"MM";
  }
  const bool wellFormed = IsWellFormedLocator(text);
  return {wellFormed ? LocatorBoxOutcome::Verdict::Accepted : LocatorBoxOutcome::Verdict::Malformed,
          text, !passes || !wellFormed};
}

}  // namespace pelvorn
