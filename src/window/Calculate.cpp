// The Calculate action: normalise both locator boxes, decode them and show
// distance and direction.

#include "PelvornWindow.h"

#include "locator/LocatorDecoding.h"
#include "locator/RuntimeError.h"
#include "platform/Platform.h"
#include "window/LocatorBox.h"
#include "window/Utf16View.h"

#include <QLineEdit>

namespace pelvorn {
namespace {

QString BeepReason(const LocatorBoxOutcome& outcome, const QString& boxText) {
  switch (outcome.verdict) {
    case LocatorBoxOutcome::Verdict::TooShort:
      return QStringLiteral("Locator zu kurz: \"%1\"").arg(boxText);
    case LocatorBoxOutcome::Verdict::Malformed:
      return QStringLiteral("Kein g\u00fcltiger Locator: \"%1\"").arg(outcome.text);
    case LocatorBoxOutcome::Verdict::Accepted:
      break;
  }
  return QStringLiteral("Locator erg\u00e4nzt: %1").arg(outcome.text);
}

// Assigns `decode(text)` to `target`; a decoding that fails leaves it as it was.
template <typename Decode>
void DecodeInto(double& target, Decode decode, const QString& text) {
  try {
    target = decode(AsUtf16(text));
  } catch (const RuntimeError&) {
  }
}

}  // namespace

// Returns false, with the box focused, when the action must stop at `box`.
bool PelvornWindow::normaliseBox(QLineEdit* box, QString& text) {
  const LocatorBoxOutcome outcome = NormaliseLocatorBox(box->text());
  if (outcome.beep) platform_.beep(BeepReason(outcome, box->text()));
  if (outcome.verdict != LocatorBoxOutcome::Verdict::TooShort) box->setText(outcome.text);
  if (outcome.verdict != LocatorBoxOutcome::Verdict::Accepted) {
    box->setFocus();
    return false;
  }
  text = outcome.text;
  return true;
}

void PelvornWindow::Command2_Click() {
  QString own;
  QString foreign;
  if (!normaliseBox(Text1, own) || !normaliseBox(Text2, foreign)) return;

  double ownLatitude = 0;
  double ownLongitude = 0;
  double foreignLatitude = 0;
  double foreignLongitude = 0;
  DecodeInto(ownLatitude, LocatorToLatitude, own);
  DecodeInto(ownLongitude, LocatorToLongitude, own);
  DecodeInto(foreignLatitude, LocatorToLatitude, foreign);
  DecodeInto(foreignLongitude, LocatorToLongitude, foreign);
  try {
    ShowDistanceDirection(ownLatitude, foreignLatitude, ownLongitude, foreignLongitude,
                          visibilityParam_, *this, locale_);
  } catch (const RuntimeError&) {
    // What was shown stays shown; nothing else happens.
  }
}

}  // namespace pelvorn
