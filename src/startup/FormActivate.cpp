// The first activation of the window: caption, empty fields, and the run
// the command line asks for.

#include "window/PelvornForm.h"

#include "ApplicationIdentity.h"
#include "common/ExitStatus.h"
#include "common/Platform.h"
#include "common/Text.h"
#include "locator/RuntimeError.h"

#include <limits>
#include <string>

namespace pelvorn {
namespace {

std::u16string Caption() {
  return u" " + FromUtf8(identity::ProductName) + u"  V " + FromUtf8(identity::Version);
}

// A number the command line did not give is out of every range, so the pair
// it belongs to earns the warning of that coordinate.
double OrUnread(const std::optional<double>& number) {
  return number.value_or(std::numeric_limits<double>::quiet_NaN());
}

std::u16string FromAscii(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace

void PelvornForm::Form_Activate() {
  view_.setWindowCaption(Caption());
  view_.setText(TextBox::Text1, u"");
  view_.setText(TextBox::Text2, u"");
  view_.setCaption(ResultLabel::Entfernung, u"");
  view_.setCaption(ResultLabel::Richtung, u"");
  showsResult_ = false;

  visibilityParam_ = TrimBlanks(command_.values.sixthField);
  view_.setVisible(visibilityParam_ != HiddenRunSwitch);

  runCommandLine();

  if (!ended_ && visibilityParam_ == HiddenRunSwitch) endHiddenRunWithoutResult();
}

void PelvornForm::runCommandLine() {
  const std::u16string& mode = command_.mode;
  if (mode.empty()) {
    lastProblem_ = u"Die Kommandozeile nennt keine Betriebsart (L oder G).";
    return;
  }
  if (mode == u"L") {
    view_.setText(TextBox::Text1, command_.values.ownLocator);
    view_.setText(TextBox::Text2, command_.values.foreignLocator);
    Command2_Click();
    return;
  }
  if (mode != u"G") {
    warned_ = true;
    platform_.warning(u" Falsche Parameterbezeichnung ", u"Es ist nur L oder G m\u00f6glich!");
    return;
  }
  runDegrees();
}

void PelvornForm::runDegrees() {
  const CommandLineValues& values = command_.values;
  const double ownLatitude = OrUnread(values.ownLatitude);
  const double foreignLatitude = OrUnread(values.foreignLatitude);
  const double ownLongitude = OrUnread(values.ownLongitude);
  const double foreignLongitude = OrUnread(values.foreignLongitude);
  const std::string own = DegreesToLocator(ownLongitude, ownLatitude, *this);
  view_.setText(TextBox::Text1, FromAscii(own));
  const std::string foreign = DegreesToLocator(foreignLongitude, foreignLatitude, *this);
  view_.setText(TextBox::Text2, FromAscii(foreign));
  if (own.empty() || foreign.empty()) return;
  try {
    ShowDistanceDirection(ownLatitude, foreignLatitude, ownLongitude, foreignLongitude, visibilityParam_, *this,
                          locale_);
  } catch (const RuntimeError&) {
    // The numbers are finite and in range; a failing clipboard is the one
    // fault left, and the run then ends without a result.
  }
}

}  // namespace pelvorn
