#include "LocatorBox.h"

#include "locator/CharacterCode.h"
#include "locator/LocatorDecoding.h"
#include "startup/Blanks.h"
#include "window/Utf16View.h"

namespace pelvorn {
namespace {

constexpr qsizetype ShortestUsableLength = 4;


// Upper-cases character by character, so the length never changes.
QString ToCapitals(QString text) {
  for (QChar& c : text) c = c.toUpper();
  return text;
}

bool CodeBetween(QChar c, int above, int below) {
  const int code = CharacterCode(c.unicode());
  return code > above && code < below;
}

}  // namespace

LocatorBoxOutcome NormaliseLocatorBox(const QString& boxText) {
  QString text = ToCapitals(TrimBlanks(boxText));
  const bool passes = text.size() > 5 && CodeBetween(text[0], 64, 83);
  if (!passes) {
    if (text.size() < ShortestUsableLength) {
      return {LocatorBoxOutcome::Verdict::TooShort, text, true};
    }
    if (CodeBetween(text.back(), 47, 58)) text = text.left(4) + QStringLiteral("MM");
  }
  const bool wellFormed = IsWellFormedLocator(AsUtf16(text));
  return {wellFormed ? LocatorBoxOutcome::Verdict::Accepted : LocatorBoxOutcome::Verdict::Malformed,
          text, !passes || !wellFormed};
}

}  // namespace pelvorn
