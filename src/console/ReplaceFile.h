#pragma once

#include <string>
#include <string_view>

namespace pelvorn {

// Writes `contents` to the file `utf8Path` through a new temporary file in
// the same directory, which is then renamed over `utf8Path`. Returns false,
// with the reason in `error` (German), when any step fails; the temporary
// file is then removed and `utf8Path` is as it was, so a failure never
// leaves a half-written file. (One implementation per platform.)
bool ReplaceFileContents(const std::string& utf8Path, std::string_view contents, std::string& error);

}  // namespace pelvorn
