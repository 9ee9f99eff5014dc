#pragma once

#include <QString>

namespace pelvorn {

// Returns the text of --help (German), ending in a line feed.
QString HelpText();

// Returns the text of --version, ending in a line feed.
QString VersionText();

}  // namespace pelvorn
