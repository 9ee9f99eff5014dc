#include "PelvornForm.h"

#include "ApplicationIdentity.h"
#include "common/ExitStatus.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "arithmetic/GreatCircle.h"
#include "arithmetic/LocatorDecoding.h"
#include "arithmetic/NumberPatterns.h"
#include "arithmetic/RuntimeError.h"
#include "window/InfoText.h"
#include "window/Keys.h"
#include "arithmetic/LocatorInput.h"

#include <limits>

namespace pelvorn {
namespace {

// The line break of the information box.
constexpr std::u16string_view LineBreak = u"\r\n";

std::u16string WindowCaption() { return FromUtf8(Fill(text::WindowCaption, {identity::ProductName, identity::Version})); }

// A number the command line did not give is out of every range, so the pair
// it belongs to earns the warning of that coordinate.
double OrUnread(const std::optional<double>& number) {
  return number.value_or(std::numeric_limits<double>::quiet_NaN());
}

std::u16string FromAscii(const std::string& text) { return {text.begin(), text.end()}; }

std::u16string BeepReason(const LocatorBoxOutcome& outcome, std::u16string_view boxText) {
  switch (outcome.verdict) {
    case LocatorBoxOutcome::Verdict::TooShort:
      return FromUtf8(Fill(text::LocatorTooShort, {ToUtf8(boxText)}));
    case LocatorBoxOutcome::Verdict::Malformed:
      return FromUtf8(Fill(text::LocatorInvalid, {ToUtf8(outcome.text)}));
    case LocatorBoxOutcome::Verdict::Accepted:
      break;
  }
  return FromUtf8(Fill(text::LocatorCompleted, {ToUtf8(outcome.text)}));
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

PelvornForm::PelvornForm(WindowView& view, Platform& platform, Antenna* antenna, ParsedCommandLine command,
                         NumberLocale locale)
    : view_(view), platform_(platform), antenna_(antenna), command_(std::move(command)), locale_(locale) {}

int PelvornForm::run(FrontEnd& frontEnd) {
  if (!load()) return exitStatus_;
  if (hiddenRun()) {
    frontEnd.activateHidden();
  } else {
    frontEnd.showWindow();
  }
  const int status = frontEnd.exec();
  if (status == ExitSuccess && !hiddenRun()) {
    // The user may still want to paste the last result.
    platform_.keepClipboardAfterExit();
  }
  return status;
}

// Start-up ---------------------------------------------------------------------

bool PelvornForm::load() {
  if (!platform_.previousCopyRunning()) return true;

  // A hidden run may run beside another copy.
  if (hiddenRun()) return true;

  platform_.warning(FromUtf8(Fill(text::AlreadyRunningTitle, {identity::Title})),
                    FromUtf8(text::AlreadyRunningPrompt));
  ended_ = true;
  exitStatus_ = ExitSecondCopy;
  return false;
}

void PelvornForm::activateOnce() {
  if (activated_) return;
  activated_ = true;
  activate();
}

// The first activation: caption, empty fields, and the run the command line
// asks for.
void PelvornForm::activate() {
  view_.setWindowCaption(WindowCaption());
  view_.setText(TextBox::OwnLocator, u"");
  view_.setText(TextBox::ForeignLocator, u"");
  view_.setCaption(ResultField::Distance, u"");
  view_.setCaption(ResultField::Direction, u"");
  shownResult_.reset();

  visibilityParam_ = TrimBlanks(command_.values.sixthField);
  view_.setVisible(visibilityParam_ != HiddenRunSwitch);

  runCommandLine();

  if (!ended_ && visibilityParam_ == HiddenRunSwitch) endHiddenRunWithoutResult();
}

void PelvornForm::runCommandLine() {
  const std::u16string& mode = command_.mode;
  if (mode.empty()) {
    lastProblem_ = FromUtf8(text::NoMode);
    return;
  }
  if (mode == u"L") {
    view_.setText(TextBox::OwnLocator, command_.values.ownLocator);
    view_.setText(TextBox::ForeignLocator, command_.values.foreignLocator);
    calculate();
    return;
  }
  if (mode != u"G") {
    warned_ = true;
    platform_.warning(FromUtf8(text::WrongModeTitle), FromUtf8(text::OnlyLOrG));
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
  const LocatorFromDegrees own = DegreesToLocator(ownLongitude, ownLatitude);
  warnIfOutOfRange(own.outOfRange);
  view_.setText(TextBox::OwnLocator, FromAscii(own.locator));
  const LocatorFromDegrees foreign = DegreesToLocator(foreignLongitude, foreignLatitude);
  warnIfOutOfRange(foreign.outOfRange);
  view_.setText(TextBox::ForeignLocator, FromAscii(foreign.locator));
  if (own.locator.empty() || foreign.locator.empty()) return;
  showDistanceDirection(ownLatitude, foreignLatitude, ownLongitude, foreignLongitude);
}

// Calculate --------------------------------------------------------------------

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

void PelvornForm::calculate() {
  calculateBoxes();
  if (calculated_) calculated_();
}

void PelvornForm::calculateBoxes() {
  std::u16string own;
  std::u16string foreign;
  if (!normaliseBox(TextBox::OwnLocator, own) || !normaliseBox(TextBox::ForeignLocator, foreign)) return;

  double ownLatitude = 0;
  double ownLongitude = 0;
  double foreignLatitude = 0;
  double foreignLongitude = 0;
  DecodeInto(ownLatitude, LocatorToLatitude, own);
  DecodeInto(ownLongitude, LocatorToLongitude, own);
  DecodeInto(foreignLatitude, LocatorToLatitude, foreign);
  DecodeInto(foreignLongitude, LocatorToLongitude, foreign);
  showDistanceDirection(ownLatitude, foreignLatitude, ownLongitude, foreignLongitude);
}

// Shows distance and direction, puts the result line on the clipboard and
// applies the visibility rule of the sixth field: empty shows the window
// with the caret in the foreign box, "V-" ends the hidden run, any other
// text does neither. A fault of the arithmetic ends it where it arises; what
// was shown before stays shown.
void PelvornForm::showDistanceDirection(double ownLatitude, double foreignLatitude, double ownLongitude,
                                        double foreignLongitude) {
  try {
    const double centralAngle = CentralAngle(ownLatitude, foreignLatitude, ownLongitude, foreignLongitude);
    const std::u16string distance = FormatDistance(DistanceKm(centralAngle), locale_);
    shownResult_.reset();
    view_.setCaption(ResultField::Distance, distance);
    const double direction = Direction(ownLatitude, foreignLatitude, ownLongitude, foreignLongitude, centralAngle);
    view_.setCaption(ResultField::Direction, FormatDirection(direction, locale_));
  } catch (const RuntimeError&) {
    return;
  }
  // The line is built from what the fields show, not from the numbers.
  const std::u16string line =
      ResultLine(view_.caption(ResultField::Distance), view_.caption(ResultField::Direction));
  shownResult_ = ShownResult{ownLatitude,
                             ownLongitude,
                             foreignLatitude,
                             foreignLongitude,
                             view_.text(TextBox::OwnLocator),
                             view_.text(TextBox::ForeignLocator),
                             line};
  if (!publishResultLine(line)) return;

  if (visibilityParam_.empty()) {
    view_.setVisible(true);
    view_.setFocus(TextBox::ForeignLocator);
  } else if (visibilityParam_ == HiddenRunSwitch) {
    endHiddenRun();
  }
}

// Puts the line on the clipboard. Returns false when the clipboard refused
// it, except in a hidden run: its line still goes to standard output, and
// the run then ends with a failure.
bool PelvornForm::publishResultLine(const std::u16string& line) {
  resultLine_ = line;
  clipboardTook_ = platform_.putOnClipboard(line);
  return clipboardTook_ || visibilityParam_ == HiddenRunSwitch;
}

// Information box and end ------------------------------------------------------------

void PelvornForm::keyReleased(int keyCode, int /*shift*/) {
  if (keyCode != KeyCodeF1) return;
  platform_.information(FromUtf8(text::InfoTitle), InfoText(LineBreak));
}

void PelvornForm::quit() { endProgram(ExitSuccess); }

void PelvornForm::closedByUser() {
  if (!ended_) endProgram(ExitSuccess);
}

void PelvornForm::endProgram(int status) {
  ended_ = true;
  exitStatus_ = status;
  view_.unload();
  platform_.endProgram(status);
}

void PelvornForm::endHiddenRun() {
  const bool kept = clipboardTook_ && platform_.keepClipboardAfterExit();
  const bool printed = platform_.deliverHiddenResult(resultLine_);
  if (!printed) {
    platform_.printError(FromUtf8(kept ? text::ResultOnClipboardOnly : text::ResultNowhere));
  }
  // With a rotator configured, the antenna turns once the result is out,
  // in the run that puts it out.
  const AntennaTurn turn = antenna_ && !platform_.rehearsal()
                               ? antenna_->turnForHiddenRun(view_.caption(ResultField::Direction))
                               : AntennaTurn{};
  if (!turn.notice.empty()) platform_.printError(turn.notice);
  const auto& rotatorFailure = turn.failure;
  if (rotatorFailure) platform_.printError(*rotatorFailure);
  endProgram(!(kept && printed) ? ExitNoResult : rotatorFailure ? ExitRotatorFailed : ExitSuccess);
}

// A hidden run that produced no result ends after its beep or its last
// message box, and says why where no box has said it.
void PelvornForm::endHiddenRunWithoutResult() {
  if (!warned_) {
    const std::string reason = lastProblem_.empty() ? std::string(text::UnknownReason) : ToUtf8(lastProblem_);
    platform_.printError(FromUtf8(Fill(text::NoResult, {reason})));
  }
  endProgram(ExitNoResult);
}

void PelvornForm::warnIfOutOfRange(CoordinateOutOfRange outOfRange) {
  if (outOfRange == CoordinateOutOfRange::None) return;
  const text::CoordinateWarning warning = text::CoordinateWarningFor(outOfRange == CoordinateOutOfRange::Longitude);
  warned_ = true;
  platform_.warning(FromUtf8(warning.title), FromUtf8(warning.prompt));
}

}  // namespace pelvorn
