#pragma once

#include "common/NumberLocale.h"
#include "follow/FollowTool.h"

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

namespace pelvorn::win32 {

// Runs the window following `command` (--follow --window) with the rotator
// chosen and `err` as standard error (null when nothing would show it);
// returns the exit status.
using FollowingWindow = std::function<int(const follow::FollowCommand& command,
                                          const std::optional<std::string>& rotatorAddress, std::FILE* err)>;

// Pelvorn.exe used from cmd.exe or PowerShell. When a blank-separated word
// of `argumentText` (the command line after the program name, as Windows
// hands it over) starts with "--", it is split by the rules of
// CommandLineToArgvW and handled as the Linux program does (RunConsoleStart):
// --help, --version, --rotator anywhere, the console tools. Returns the exit
// status when the program ends here. Returns nothing when the window or the
// hidden run is to start; then `argumentText` holds the arguments without
// --rotator, joined by blanks. Text without any "--" word is left exactly as it is; the rotator is then the one of the
// settings file (%APPDATA%\pelvorn\Pelvorn.ini), if any. `rotatorAddress`
// receives the rotator chosen (nullopt: none). --follow --window runs
// `followingWindow` while the streams are there, and ends the program with its status.
//
// Standard input, output and error that are files or pipes are used as
// they are; those missing (a GUI program started from a console has none)
// are the parent's console, attached for this run. Bytes pass unchanged in
// both directions (UTF-8, CR LF kept).
std::optional<int> RunFromConsole(std::u16string& argumentText, const NumberLocale& locale,
                                  std::optional<std::string>& rotatorAddress,
                                  const FollowingWindow& followingWindow);

}  // namespace pelvorn::win32
