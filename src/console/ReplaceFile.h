#pragma once

#include <string>
#include <string_view>

namespace pelvorn {

// Writes `contents` to the file `utf8Path` through a new file in the same
// directory that is named (or renamed over `utf8Path`) only once it is
// complete and on the disk; the directory is then synced, so after a power
// cut `utf8Path` is the old file or the new one. Returns false, with the
// reason in `error` (German), when any step fails; the new file is then
// removed and `utf8Path` is as it was. The process's umask and signal
// dispositions are left alone. On Linux the new file has no name while it
// is written, so a killed run leaves nothing (but for a kill between naming
// and renaming); elsewhere it is `utf8Path`.pelvorn-… and a kill leaves it.
// Windows refuses a read-only `utf8Path`. (One implementation per platform.)
bool ReplaceFileContents(const std::string& utf8Path, std::string_view contents, std::string& error);

}  // namespace pelvorn
