#pragma once

#include <cstddef>
#include <string_view>

// What the program and its clipboard keeper agree on. The program starts the
// keeper with the line on standard input and reads the keeper's standard
// output: one line, KeeperReady once it owns CLIPBOARD, KeeperSuperseded
// when another client took CLIPBOARD right after it, or one of the error
// lines; anything else, or nothing at all, means the keeper has failed.

namespace pelvorn {

// File name of the keeper program, next to the program or in its libexec directory.
inline constexpr std::string_view ClipboardKeeperName = "pelvorn-clipboard-keeper";

// Longest line the keeper accepts, in bytes. The line goes to a requestor in
// one property change, well below the smallest maximum request length.
inline constexpr std::size_t LongestKeptLine = 64 * 1024;

// The keeper's answer once the line is on the clipboard.
inline constexpr std::string_view KeeperReady = "ok\n";

// The keeper's answer when a newer owner (another hidden run, or the user
// copying something) took CLIPBOARD while the keeper was taking it: the
// line was published and replaced, as the last writer wins. The keeper ends.
inline constexpr std::string_view KeeperSuperseded = "superseded\n";

// The keeper's answers when it failed: no X server (or it went away), and
// an input it could not read or that was too long.
inline constexpr std::string_view KeeperNoDisplay = "error: no display\n";
inline constexpr std::string_view KeeperBadInput = "error: input unreadable or too long\n";

}  // namespace pelvorn
