#pragma once

#include "platform/linux/ClipboardHandover.h"

#include <chrono>
#include <string_view>

// Handing a line to wl-copy, so that it stays on the Wayland clipboard after
// this process has ended.
//
// A Wayland compositor takes the clipboard only from the client that has the
// keyboard focus, and a client that ends takes its offer with it. wl-copy
// sets the clipboard through the compositor's data-control protocol (or its
// own short-lived surface where there is none), then forks a server that
// answers for the line until another program takes the clipboard. It is
// started in a session of its own with all standard streams on /dev/null,
// so that its server holds nothing of ours: no terminal, no pipe of whoever
// started us, no lock file.

namespace pelvorn {

// Returns whether the environment names a Wayland display (WAYLAND_DISPLAY).
bool WaylandDisplayNamed();

// Hands `utf8Line` to wl-copy and waits until wl-copy has set the clipboard
// and returned. Returns true only when it ended with status 0 within
// `timeout`. Returns false when no Wayland display is named, wl-copy is not
// on PATH, cannot be started, fails, or is too slow (it is then ended and
// reaped).
bool HandOverToWlCopy(std::string_view utf8Line, std::chrono::milliseconds timeout);

// Hands `utf8Line` to wl-copy where a Wayland display is named, then, when
// `x11` is true, to the X11 keeper. wl-copy goes first: where the compositor
// bridges the two clipboards (XWayland), the keeper's X11 offer then stands
// on both sides. Returns whether one of them took it; `keeperResult`, when
// given, receives the keeper's (NoKeeper when it was not asked).
bool HandOverToClipboardHelpers(std::string_view utf8Line, bool x11, std::chrono::milliseconds timeout,
                                Handover* keeperResult = nullptr);

}  // namespace pelvorn
