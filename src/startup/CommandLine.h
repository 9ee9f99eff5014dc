#pragma once

#include "common/CommandLineValues.h"
#include "common/NumberLocale.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The command line is one text of fields separated by ";" (no quoting):
//   field 0  mode "L" (locators) or "G" (degrees), any case
//   mode L:  1 own locator, 2 foreign locator
//   mode G:  1 own latitude, 2 foreign latitude, 3 own longitude, 4 foreign longitude
//   field 5  "V-" for a hidden run
// Example: G;52,5;38,5;13;27;V-

namespace pelvorn {

// Longest command-line text that is read; a longer one counts as empty.
inline constexpr std::size_t LongestCommandLine = 32767;

// Returns the mode (field 0 upper-cased; empty for an empty text) and fills
// `values` from `commandLine`. In mode "L" the four numbers are set to 0; in
// every other mode the four numbers are read and both locators emptied.
// Degrees are read by ParseDegrees in `locale`.
std::u16string ParseCommandLine(std::u16string_view commandLine, CommandLineValues& values,
                                const NumberLocale& locale);

// The command line read once at start-up, from fresh values.
ParsedCommandLine ReadCommandLine(std::u16string_view commandLine, const NumberLocale& locale);

// Returns the degrees written in `text`, or nothing when it is not a finite
// decimal number. Accepted: optional white space around it, an optional sign
// ("+" or "-"), ASCII digits with the locale's decimal separator or a point,
// an optional exponent ("e" or "E" and an integer). Digit grouping, "nan",
// "inf" and hexadecimal are refused, and so is a value too large for a
// double; a value too small for one reads as 0.
std::optional<double> ParseDegrees(std::u16string_view text, const NumberLocale& locale);

}  // namespace pelvorn
