#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pelvorn {

class InstanceGuard;

// A hidden run without any toolkit: the window's behaviour (PelvornForm)
// runs against a window that exists only in memory, the result line goes to
// the clipboard helpers (wl-copy, the X11 keeper) and to standard output.
//
// Returns the exit status when the run is done. Returns nothing, having
// changed nothing outside this process, when the toolkit is needed after
// all: the command line is not a hidden run, the locale is one the toolkit
// alone knows, or a message box or a beep is due (a second copy refused,
// an unknown mode, a bad locator or coordinate). The caller then starts the
// toolkit front end, which runs the program from the start; `guard` has then
// been asked already and holds this copy's answer and lock. With a
// `rotatorAddress` the antenna turns once the result is out.
std::optional<int> RunHiddenWithoutToolkit(std::u16string_view commandLine, InstanceGuard& guard,
                                           const std::optional<std::string>& rotatorAddress);

}  // namespace pelvorn
