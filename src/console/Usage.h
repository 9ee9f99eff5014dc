#pragma once

#include <string>

namespace pelvorn {

// Returns the text of --help (German), ending in a line feed.
std::u16string HelpText();

// Returns the text of --version, ending in a line feed.
std::u16string VersionText();

}  // namespace pelvorn
