#pragma once

#include <QLocale>
#include <QString>

#include <optional>

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
  QString ownLocator;
  QString foreignLocator;
  std::optional<double> ownLatitude;       // first number
  std::optional<double> foreignLatitude;   // second number
  std::optional<double> ownLongitude;      // third number
  std::optional<double> foreignLongitude;  // fourth number
  QString sixthField;                      // field 5, untrimmed
};

// Longest command-line text that is read; a longer one counts as empty.
inline constexpr qsizetype LongestCommandLine = 32767;

// Returns the mode (field 0 upper-cased; empty for an empty text) and fills
// `values` from `commandLine`. In mode "L" the four numbers are set to 0; in
// every other mode the four numbers are read and both locators emptied.
// Degrees are read by ParseDegrees in `locale`.
QString ParseCommandLine(const QString& commandLine, CommandLineValues& values,
                         const QLocale& locale = QLocale());

// Returns the degrees written in `text`, or nothing when it is not a finite
// decimal number. Accepted: optional blanks around it, an optional sign ("+"
// or "-"), digits with the locale's decimal separator or a point, an
// optional exponent ("e" and an integer). Digit grouping is refused.
std::optional<double> ParseDegrees(const QString& text, const QLocale& locale = QLocale());

}  // namespace pelvorn
