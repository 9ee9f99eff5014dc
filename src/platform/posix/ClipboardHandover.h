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

// Returns the path of the keeper program: next to the running executable
// first, then in the installed libexec directory. Returns an empty string
// when neither holds an executable keeper.
std::string FindClipboardKeeper();

// Starts the keeper at `keeperPath` with `utf8Line` and waits until it
// reports that it owns CLIPBOARD. Returns true only then. Returns false when
// the line is longer than the keeper accepts, the keeper cannot be started,
// reports a failure (no display, clipboard not taken) or gives no answer
// within `timeout`; a keeper that failed or was too slow is ended and reaped.
bool HandOverToKeeper(const std::string& keeperPath, std::string_view utf8Line,
                      std::chrono::milliseconds timeout);

}  // namespace pelvorn
