#pragma once

#include <chrono>
#include <string>
#include <string_view>

// Handing a line to the clipboard keeper, so that it stays on the X11
// CLIPBOARD after this process has ended.
//
// The keeper is started as a direct child in a session of its own and is not
// waited for once it has answered: when this process ends it is adopted by
// the system like any orphan. A keeper that ends while this process still
// runs (another program took the clipboard) stays a zombie until this
// process ends or reaps it; a hidden run ends right after the handover.

namespace pelvorn {

// Returns the path of the keeper program (FindOwnProgram).
std::string FindClipboardKeeper();

// How a handover ended.
enum class Handover {
  Kept,          // the keeper owns CLIPBOARD and serves the line
  Superseded,    // a newer owner took CLIPBOARD right after the keeper: published and replaced
  NoKeeper,      // no keeper program installed (an empty path)
  LineTooLong,   // longer than the keeper accepts
  NotStarted,    // the keeper could not be started
  NoAnswer,      // the keeper gave no answer in time; it has been ended
  KeeperFailed,  // the keeper ended without an answer, or with one not understood
  NoDisplay,     // the keeper found no X server, or lost it
  BadInput,      // the keeper could not read the line
};

// Returns whether the line reached the clipboard: Kept or Superseded.
bool Published(Handover result);

// Returns one German sentence (UTF-8, no line break, no program name)
// saying why the line is not on the clipboard, for standard error; empty for
// Kept and Superseded.
std::string_view HandoverFailureText(Handover result);

// Starts the keeper at `keeperPath` with `utf8Line` and waits until it
// reports that it owns CLIPBOARD, or that a newer owner took it at once.
// A keeper that failed or was too slow (`timeout`) is ended and reaped.
// Once the keeper has answered it no longer depends on this process.
Handover HandOverToKeeper(const std::string& keeperPath, std::string_view utf8Line,
                          std::chrono::milliseconds timeout);

}  // namespace pelvorn
