#include "LocatorInput.h"

#include "arithmetic/CharacterCode.h"
#include "arithmetic/LocatorDecoding.h"
#include "common/Text.h"

namespace pelvorn {
namespace {

constexpr std::size_t ShortestUsableLength = 4;

template <class Char>
bool CodeBetween(Char c, int above, int below) {
  const int code = CharacterCode(static_cast<char16_t>(c));
  return code > above && code < below;
}

template <class Char>
BasicLocatorBoxOutcome<Char> Normalise(std::basic_string_view<Char> boxText) {
  std::basic_string<Char> text = Capitals(WithoutBlanks(boxText));
  const bool passes = text.size() > 5 && CodeBetween(text[0], 64, 83);
  if (!passes) {
    if (text.size() < ShortestUsableLength) {
      return {LocatorBoxVerdict::TooShort, text, true};
    }
    if (CodeBetween(text.back(), 47, 58)) {
      text.resize(4);
      text += Char{'M'};
      text += Char{'M'};
    }
  }
  const bool wellFormed = IsWellFormedLocator(text);
  return {wellFormed ? LocatorBoxVerdict::Accepted : LocatorBoxVerdict::Malformed, text, !passes || !wellFormed};
}

}  // namespace

LocatorBoxOutcome NormaliseLocatorBox(std::u16string_view boxText) { return Normalise(boxText); }

BasicLocatorBoxOutcome<char> NormaliseLocatorBox(std::string_view boxText) { return Normalise(boxText); }

}  // namespace pelvorn
