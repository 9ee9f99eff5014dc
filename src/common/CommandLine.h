#pragma once

#include "common/Text.h"
#include "common/NumberLocale.h"

#include <array>
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

// The outputs of ParseCommandLine. A field that is missing or cannot be
// read leaves its output as it was, so a number that was never read stays
// empty (std::nullopt) when the caller starts from a fresh value.
struct CommandLineValues {
  std::u16string ownLocator;
  std::u16string foreignLocator;
  std::optional<double> ownLatitude;       // first number
  std::optional<double> foreignLatitude;   // second number
  std::optional<double> ownLongitude;      // third number
  std::optional<double> foreignLongitude;  // fourth number
  std::u16string sixthField;               // field 5, untrimmed
};

// The command line as start-up reads it, once: the mode and the values.
struct ParsedCommandLine {
  std::u16string mode;  // field 0 upper-cased; empty for an empty command line
  CommandLineValues values;
};

// The visibility switch that makes a run hidden.
inline constexpr std::u16string_view HiddenRunSwitch = u"V-";

// Returns whether the command line asks for a hidden run: its sixth field,
// without the blanks around it, is "V-".
inline bool IsHiddenRun(const ParsedCommandLine& command) {
  return TrimBlanks(command.values.sixthField) == HiddenRunSwitch;
}

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

// The same for ASCII text read as the bytes it is (a batch line).
std::optional<double> ParseDegrees(std::string_view text, const NumberLocale& locale);

// The first six fields of a command line as views into it; the line is not
// read beyond the sixth ";".
template <class Char>
struct CommandLineFields {
  std::array<std::basic_string_view<Char>, 6> fields;  // a field the line lacks is empty
  std::size_t count;                                   // how many of them the line has (at least 1)
};

// Returns the fields of `commandLine`, UTF-16 or ASCII bytes.
CommandLineFields<char16_t> SplitCommandLine(std::u16string_view commandLine);
CommandLineFields<char> SplitCommandLine(std::string_view commandLine);

}  // namespace pelvorn
