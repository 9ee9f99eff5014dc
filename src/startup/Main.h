#pragma once

namespace pelvorn {

class PelvornForm;
class Platform;

// What start-up needs of a window front end besides the window itself.
class FrontEnd {
public:
  virtual ~FrontEnd() = default;
  // Shows the window non-modally; once it has been shown the front end calls
  // PelvornForm::activateOnce from its event loop.
  virtual void showWindow() = 0;
  // Calls PelvornForm::activateOnce from the event loop without showing the
  // window: a hidden run would hide it again at once.
  virtual void activateHidden() = 0;
  // Runs the event loop until Platform::endProgram; returns the status.
  virtual int exec() = 0;
};

// Loads the window (Form_Load, the single-instance guard), sets the line
// break and shows the window, or activates it hidden for a hidden run, then
// runs the event loop until the program ends. An ordinary run that the user
// ended leaves its last result on the clipboard. Returns the exit status.
int Main(PelvornForm& form, FrontEnd& frontEnd, Platform& platform);

}  // namespace pelvorn
