#pragma once

#include "common/NumberLocale.h"

#include <optional>
#include <string_view>

namespace pelvorn {

// Returns the number conventions of the user's locale as named in the
// environment (LC_ALL, else LC_NUMERIC, else LANG; codeset and modifier
// ignored), for the locales this table knows: C and POSIX, English and
// German. Returns nothing for any other locale; the toolkit knows those.
std::optional<NumberLocale> KnownNumberLocale();

// The same for the locale name `name` (for example "de_DE.UTF-8").
std::optional<NumberLocale> KnownNumberLocale(std::string_view name);

}  // namespace pelvorn
