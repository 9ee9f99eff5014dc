#pragma once

namespace pelvorn {

class DisplayProbe;

// While an object lives, losing the X server ends the program with status 1
// and one German line on standard error, however Qt reacts to it: a crash
// (SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL) inside Qt's platform code, or
// the exit(1) of Qt's event loop once its connection broke. Whether the
// server has gone is read from the probe's own connection (it waits up to
// half a second for it to close): a crash while the server still answers
// takes its ordinary course and leaves a core dump.
//
// One object at a time; create it before QApplication and let it end when
// the program ends normally.
class DisplayLossGuard {
public:
  explicit DisplayLossGuard(const DisplayProbe& probe);
  ~DisplayLossGuard();
  DisplayLossGuard(const DisplayLossGuard&) = delete;
  DisplayLossGuard& operator=(const DisplayLossGuard&) = delete;
};

}  // namespace pelvorn
