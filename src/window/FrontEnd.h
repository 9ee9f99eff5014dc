#pragma once

namespace pelvorn {

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

}  // namespace pelvorn
