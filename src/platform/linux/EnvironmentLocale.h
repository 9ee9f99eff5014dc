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

// Returns the number conventions of the user's locale for the console
// tools, which never start the toolkit: KnownNumberLocale's where the table
// knows the locale; else the decimal separator of the C library's data for
// it (LC_NUMERIC of the locale as installed, or as found through LOCPATH);
// else, for a locale that is not installed, the C locale's point, as every
// C program on the system prints its numbers then.
NumberLocale ConsoleNumberLocale();

}  // namespace pelvorn
