#pragma once

#include <string_view>

namespace pelvorn {

// What the program needs of its platform beyond its window: message boxes,
// the beep, the clipboard, the question whether another copy runs, standard
// output and error, and the end of the program. Each front end provides
// one (Qt, Win32, the console); tests script and record their own.
class Platform {
public:
  virtual ~Platform() = default;

  // Shows a modal box with the warning icon and one OK button; returns when
  // it has been closed.
  virtual void warning(std::u16string_view title, std::u16string_view prompt) = 0;

  // Shows a modal box with the information icon and one OK button.
  virtual void information(std::u16string_view title, std::u16string_view prompt) = 0;

  // Sounds the standard beep. `reason` says why, for tests and logs.
  virtual void beep(std::u16string_view reason) = 0;

  // Clears the clipboard, then puts `line` on it as plain text. Returns
  // whether the clipboard took it.
  virtual bool putOnClipboard(std::u16string_view line) = 0;

  // Makes the line this program put on the clipboard outlive the program.
  // Returns false when it could not be kept.
  virtual bool keepClipboardAfterExit() = 0;

  // Returns whether another copy of the program was already running. Asked
  // once, at start; from then on this copy counts as running too.
  virtual bool previousCopyRunning() = 0;

  // Writes the result line of a hidden run and a line feed to standard
  // output. Returns false when it could not be written completely.
  virtual bool deliverHiddenResult(std::u16string_view line) = 0;

  // Writes one line of explanation to standard error, where there is one.
  virtual void printError(std::u16string_view line) = 0;

  // Leaves the event loop; the program then ends with `status`.
  virtual void endProgram(int status) = 0;

  // Whether this run only rehearses: another front end will run the same
  // command line again from the start, so nothing may leave the process
  // (the rotator command included). The toolkit-free hidden run is one once
  // it needs a box or a beep.
  virtual bool rehearsal() const { return false; }
};

}  // namespace pelvorn
