#pragma once

#include <cstddef>
#include <string_view>

// What the program and its clipboard keeper agree on. The program starts the
// keeper with the line on standard input and reads the keeper's standard
// output: the keeper answers KeeperReady once it owns CLIPBOARD, and
// anything else (an "error: ..." line or nothing at all) means it has failed.

namespace pelvorn {

// File name of the keeper program, next to the program or in its libexec directory.
inline constexpr std::string_view ClipboardKeeperName = "pelvorn-clipboard-keeper";

// Longest line the keeper accepts, in bytes. The line goes to a requestor in
// one property change, well below the smallest maximum request length.
inline constexpr std::size_t LongestKeptLine = 64 * 1024;

// The keeper's answer once the line is on the clipboard.
inline constexpr std::string_view KeeperReady = "ok\n";

}  // namespace pelvorn
