#pragma once

#include <string>
#include <string_view>

namespace pelvorn {

// Returns whether `path` is a regular file this process may execute.
bool IsExecutableFile(const std::string& path);

// Returns the path of our helper program `name`: next to the running
// executable first, then in the libexec directory beside its bin directory,
// then in the libexec directory of the configured prefix. Returns an empty
// string when none holds an executable of that name.
std::string FindOwnProgram(std::string_view name);

// Returns the path of the program `name` in the first absolute directory of
// PATH (else /usr/local/bin, /usr/bin, /bin) that holds it as an
// executable, or an empty string.
std::string FindOnPath(std::string_view name);

}  // namespace pelvorn
