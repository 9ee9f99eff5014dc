#pragma once

#include "arithmetic/DegreesToLocator.h"
#include "common/CommandLineValues.h"
#include "common/NumberLocale.h"
#include "locator/ResultPresentation.h"
#include "window/WindowView.h"

#include <string>
#include <string_view>

namespace pelvorn {

class Platform;

// The behaviour of the program's one window "Pelvorn", whichever toolkit
// draws it: the front end forwards the window's events to the handlers
// below, and the form answers through the WindowView and the Platform.
// Form_Load is the single-instance guard, Form_Activate carries out the
// command line (parsed once at start-up), Command2_Click is the Calculate
// action, Command1_Click and Form_KeyUp are quit and the information box.
class PelvornForm final : private ResultView {
public:
  PelvornForm(WindowView& view, Platform& platform, ParsedCommandLine command, NumberLocale locale);

  void Form_Load();
  void Form_Activate();
  void Command2_Click();
  void Command1_Click();
  void Form_KeyUp(int keyCode, int shift);

  // Runs Form_Activate the first time it is called, never again: the front
  // end calls it once the window has first been shown (or, for a hidden
  // run, instead of showing it).
  void activateOnce();

  // The user closed the window from its title bar: the program ends like
  // with "&Beenden".
  void closedByUser();

  void setLineBreak(std::u16string_view lineBreak) { lineBreak_ = lineBreak; }

  // Whether Form_Load refused this copy; the program then ends at once.
  bool refusedAtLoad() const { return refusedAtLoad_; }
  // Whether the program has ended itself, and with which status.
  bool ended() const { return ended_; }
  int exitStatus() const { return exitStatus_; }
  // Whether the command line asks for a hidden run.
  bool hiddenRun() const;
  const std::u16string& visibilityParam() const { return visibilityParam_; }
  // Whether the result fields show a result of the last calculation.
  bool showsResult() const { return showsResult_; }

private:
  void runCommandLine();
  void runDegrees();
  bool normaliseBox(TextBox box, std::u16string& text);
  void endProgram(int status);
  void endHiddenRunWithoutResult();

  // ResultView
  void setDistanceCaption(std::u16string_view text) override;
  std::u16string distanceCaption() const override;
  void setDirectionCaption(std::u16string_view text) override;
  std::u16string directionCaption() const override;
  void publishResultLine(const std::u16string& line) override;
  void showWithForeignLocatorFocused() override;
  void endHiddenRun() override;

  // Shows the warning box for a coordinate out of range; nothing for None.
  void warnIfOutOfRange(CoordinateOutOfRange outOfRange);

  WindowView& view_;
  Platform& platform_;
  const ParsedCommandLine command_;
  const NumberLocale locale_;
  std::u16string lineBreak_;
  std::u16string visibilityParam_;
  std::u16string resultLine_;
  std::u16string lastProblem_;  // why a hidden run may end without a result
  bool activated_ = false;
  bool ended_ = false;
  bool refusedAtLoad_ = false;
  bool clipboardTook_ = false;
  bool warned_ = false;
  bool showsResult_ = false;
  int exitStatus_ = 0;
};

}  // namespace pelvorn
