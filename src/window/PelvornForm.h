#pragma once

#include "arithmetic/DegreesToLocator.h"
#include "common/CommandLine.h"
#include "common/NumberLocale.h"
#include "window/Antenna.h"
#include "window/FrontEnd.h"
#include "window/Platform.h"
#include "window/WindowView.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace pelvorn {

// The behaviour of the program's one window, whichever toolkit draws it:
// the front end forwards the window's events to the handlers below, and the
// form answers through the WindowView and the Platform.
//
// A run: run() guards against a second copy, then shows the window (or, for
// a hidden run, activates it unseen). The first activation carries out the
// command line, parsed once at start-up. From then on the user calculates,
// asks for the information box (F1) and quits; a hidden run ends by itself
// once its result is out, after turning the Antenna when there is one.
class PelvornForm final {
public:
  // `antenna` is null when no rotator is configured.
  PelvornForm(WindowView& view, Platform& platform, Antenna* antenna, ParsedCommandLine command,
              NumberLocale locale);

  // Guards against a second copy, shows the window or activates it hidden,
  // and runs the front end's event loop until the program ends. An ordinary
  // run that the user ended leaves its last result on the clipboard.
  // Returns the exit status.
  int run(FrontEnd& frontEnd);

  // The guard against a second copy, when the window is loaded. Returns
  // false (after the refusal box) when this copy must end at once.
  bool load();

  // Carries out the command line the first time it is called, never again:
  // the front end calls it once the window has first been shown (or, for a
  // hidden run, instead of showing it).
  void activateOnce();

  // "&Rechnen" (also Enter): normalises both locator boxes, decodes them and
  // shows distance and direction.
  void calculate();

  // "&Beenden" (also Esc): ends the program.
  void quit();

  // A key was released anywhere in the window: F1 (with any modifier)
  // shows the information box.
  void keyReleased(int keyCode, int shift);

  // The user closed the window from its title bar: the program ends as with
  // "&Beenden".
  void closedByUser();

  // Whether the program has ended itself, and with which status.
  bool ended() const { return ended_; }
  int exitStatus() const { return exitStatus_; }
  // Whether the command line asks for a hidden run.
  bool hiddenRun() const { return IsHiddenRun(command_); }
  // Whether the result fields show a result of the last calculation.
  bool showsResult() const { return shownResult_.has_value(); }

  // The result the fields show: the points it was computed from (the cell
  // centres, or the degrees of mode G), the locators as the boxes show them
  // and the result line. None while the fields show none.
  struct ShownResult {
    double ownLatitude, ownLongitude, foreignLatitude, foreignLongitude;
    std::u16string ownLocator, foreignLocator, line;
  };
  const std::optional<ShownResult>& shownResult() const { return shownResult_; }
  // Calls `listener` after every Calculate, with a result or without.
  void setCalculatedListener(std::function<void()> listener) { calculated_ = std::move(listener); }

private:
  void activate();
  void runCommandLine();
  void runDegrees();
  void calculateBoxes();
  bool normaliseBox(TextBox box, std::u16string& text);
  void showDistanceDirection(double ownLatitude, double foreignLatitude, double ownLongitude,
                             double foreignLongitude);
  bool publishResultLine(const std::u16string& line);
  void endHiddenRun();
  void endHiddenRunWithoutResult();
  void endProgram(int status);

  // Shows the warning box for a coordinate out of range; nothing for None.
  void warnIfOutOfRange(CoordinateOutOfRange outOfRange);

  WindowView& view_;
  Platform& platform_;
  Antenna* const antenna_;
  const ParsedCommandLine command_;
  const NumberLocale locale_;
  std::u16string visibilityParam_;  // the sixth field, trimmed
  std::u16string resultLine_;
  std::u16string lastProblem_;  // why a hidden run may end without a result
  bool activated_ = false;
  bool ended_ = false;
  bool clipboardTook_ = false;
  bool warned_ = false;
  std::optional<ShownResult> shownResult_;
  std::function<void()> calculated_;
  int exitStatus_ = 0;
};

}  // namespace pelvorn
