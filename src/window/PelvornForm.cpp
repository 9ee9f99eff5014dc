#include "PelvornForm.h"

#include "common/ExitStatus.h"
#include "common/Platform.h"
#include "common/Text.h"
#include "locator/RuntimeError.h"
#include "rotator/HiddenRunRotator.h"

namespace pelvorn {

PelvornForm::PelvornForm(WindowView& view, Platform& platform, ParsedCommandLine command, NumberLocale locale)
    : view_(view), platform_(platform), command_(std::move(command)), locale_(locale) {}

bool PelvornForm::hiddenRun() const { return IsHiddenRun(command_); }

void PelvornForm::activateOnce() {
  if (activated_) return;
  activated_ = true;
  Form_Activate();
}

void PelvornForm::closedByUser() {
  if (!ended_) endProgram(ExitSuccess);
}

void PelvornForm::endProgram(int status) {
  ended_ = true;
  exitStatus_ = status;
  view_.unload();
  platform_.endProgram(status);
}

// A hidden run that produced no result ends after its beep or its last
// message box, and says why where no box has said it.
void PelvornForm::endHiddenRunWithoutResult() {
  if (!warned_) {
    platform_.printError(u"Kein Ergebnis: " + (lastProblem_.empty() ? std::u16string(u"unbekannter Grund") : lastProblem_));
  }
  endProgram(ExitNoResult);
}

// ResultView ------------------------------------------------------------------

void PelvornForm::setDistanceCaption(std::u16string_view text) {
  showsResult_ = false;
  view_.setCaption(ResultLabel::Entfernung, text);
}

std::u16string PelvornForm::distanceCaption() const { return view_.caption(ResultLabel::Entfernung); }

void PelvornForm::setDirectionCaption(std::u16string_view text) {
  view_.setCaption(ResultLabel::Richtung, text);
  showsResult_ = true;
}

std::u16string PelvornForm::directionCaption() const { return view_.caption(ResultLabel::Richtung); }

// A hidden run goes on without the clipboard: its line still goes to
// standard output, and the run then ends with a failure.
void PelvornForm::publishResultLine(const std::u16string& line) {
  resultLine_ = line;
  clipboardTook_ = platform_.putOnClipboard(line);
  if (!clipboardTook_ && visibilityParam_ != HiddenRunSwitch) throw RuntimeError(RuntimeErrorKind::PlatformFailure);
}

void PelvornForm::showWithForeignLocatorFocused() {
  view_.setVisible(true);
  view_.setFocus(TextBox::Text2);
}

void PelvornForm::endHiddenRun() {
  const bool kept = clipboardTook_ && platform_.keepClipboardAfterExit();
  const bool printed = platform_.deliverHiddenResult(resultLine_);
  if (!printed) {
    platform_.printError(kept ? u"Das Ergebnis steht in der Zwischenablage, konnte aber nicht auf die "
                                u"Standardausgabe geschrieben werden."
                              : u"Das Ergebnis konnte weder in die Zwischenablage noch auf die "
                                u"Standardausgabe gebracht werden.");
  }
  // With a rotator configured, the antenna turns once the result is out,
  // in the run that puts it out.
  const auto rotatorFailure = platform_.rehearsal()
                                  ? std::nullopt
                                  : rotator::TurnAntennaForHiddenRun(directionCaption(), locale_.decimalSeparator);
  if (rotatorFailure) platform_.printError(FromUtf8(*rotatorFailure));
  endProgram(!(kept && printed) ? ExitNoResult : rotatorFailure ? ExitRotatorFailed : ExitSuccess);
}

// CoordinateWarnings --------------------------------------------------------------

void PelvornForm::Warn(std::string_view title, std::string_view prompt) {
  warned_ = true;
  platform_.warning(FromUtf8(title), FromUtf8(prompt));
}

}  // namespace pelvorn
