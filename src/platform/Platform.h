#pragma once

#include <QString>

namespace pelvorn {

// What the program needs of the desktop beyond its own window: message
// boxes, the beep, the clipboard, the question whether another copy runs and
// the command line. The desktop and the console (no display) each provide
// one; tests script and record their own.
class Platform {
public:
  virtual ~Platform() = default;

  // Shows a modal box with the warning icon and one OK button; returns when
  // it has been closed.
  virtual void warning(const QString& title, const QString& prompt) = 0;

  // Shows a modal box with the information icon and one OK button.
  virtual void information(const QString& title, const QString& prompt) = 0;

  // Sounds the standard beep. `reason` says why, for where no beep is heard.
  virtual void beep(const QString& reason) = 0;

  // Clears the clipboard, then puts `line` on it as plain text. Returns
  // whether the clipboard took it.
  virtual bool putOnClipboard(const QString& line) = 0;

  // Makes the line this program put on the clipboard outlive the program.
  // Returns false when it could not be kept.
  virtual bool keepClipboardAfterExit() = 0;

  // Returns whether another copy of the program was already running. Asked
  // once, at start; from then on this copy counts as running too.
  virtual bool previousCopyRunning() = 0;

  // Returns the argument text of the command line (arguments joined by
  // single blanks, without the program name).
  virtual QString commandLineText() = 0;

  // Hands the result line of a hidden run to whoever started it.
  virtual void deliverHiddenResult(const QString& line) = 0;
};

}  // namespace pelvorn
