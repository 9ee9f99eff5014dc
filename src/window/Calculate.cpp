// The Calculate action: normalise both locator boxes, decode them and show
// distance and direction.

#include "PelvornForm.h"

#include "arithmetic/LocatorDecoding.h"
#include "arithmetic/RuntimeError.h"
#include "common/Platform.h"
#include "window/LocatorBox.h"

namespace pelvorn {
namespace {

std::u16string BeepReason(const LocatorBoxOutcome& outcome, std::u16string_view boxText) {
  switch (outcome.verdict) {
    case LocatorBoxOutcome::Verdict::TooShort:
      return u"Locator zu kurz: \"" + std::u16string(boxText) + u"\"";
    case LocatorBoxOutcome::Verdict::Malformed:
      return u"Kein g\u00fcltiger Locator: \"" + outcome.text + u"\"";
    case LocatorBoxOutcome::Verdict::Accepted:
      break;
  }
  return u"Locator erg\u00e4nzt: " + outcome.text;
}

// Assigns `decode(text)` to `target`; a decoding that fails leaves it as it was.
template <typename Decode>
void DecodeInto(double& target, Decode decode, const std::u16string& text) {
  try {
    target = decode(text);
  } catch (const RuntimeError&) {
  }
}

}  // namespace

// Returns false, with the box focused, when the action must stop at `box`.
bool PelvornForm::normaliseBox(TextBox box, std::u16string& text) {
  const std::u16string boxText = view_.text(box);
  const LocatorBoxOutcome outcome = NormaliseLocatorBox(boxText);
  if (outcome.beep) {
    const std::u16string reason = BeepReason(outcome, boxText);
    platform_.beep(reason);
    if (outcome.verdict != LocatorBoxOutcome::Verdict::Accepted) lastProblem_ = reason;
  }
  if (outcome.verdict != LocatorBoxOutcome::Verdict::TooShort) view_.setText(box, outcome.text);
  if (outcome.verdict != LocatorBoxOutcome::Verdict::Accepted) {
    view_.setFocus(box);
    return false;
  }
  text = outcome.text;
  return true;
}

void PelvornForm::Command2_Click() {
  std::u16string own;
  std::u16string foreign;
  if (!normaliseBox(TextBox::Text1, own) || !normaliseBox(TextBox::Text2, foreign)) return;

  double ownLatitude = 0;
  double ownLongitude = 0;
  double foreignLatitude = 0;
  double foreignLongitude = 0;
  DecodeInto(ownLatitude, LocatorToLatitude, own);
  DecodeInto(ownLongitude, LocatorToLongitude, own);
  DecodeInto(foreignLatitude, LocatorToLatitude, foreign);
  DecodeInto(foreignLongitude, LocatorToLongitude, foreign);
  try {
    ShowDistanceDirection(ownLatitude, foreignLatitude, ownLongitude, foreignLongitude, visibilityParam_, *this,
                          locale_);
  } catch (const RuntimeError&) {
    // What was shown stays shown; nothing else happens.
  }
}

}  // namespace pelvorn
