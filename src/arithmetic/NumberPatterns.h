#pragma once

#include "common/NumberLocale.h"

#include <string>
#include <string_view>

// The program's numbers as text, from one formatter (std::to_chars in fixed
// notation, ASCII digits, no digit grouping; a value that rounds to zero
// never shows a sign).
//
// The number patterns of the result display: "####0.0##" for the distance and
// "####0.0#" for the direction. The value is rounded to 3 or 2 decimals (a
// value exactly halfway rounds away from zero); the integer part shows all
// its digits; the first decimal always shows, further ones up to the last
// non-zero digit; the decimal separator is the locale's.
//
// The columns of the tab-separated lines (--tsv, --follow --tsv): a fixed
// number of decimals, rounded to nearest as to_chars rounds, and a decimal
// point whatever the locale.

namespace pelvorn {

// Returns `km` formatted as "####0.0##"; never fails.
std::u16string FormatDistance(double km, const NumberLocale& locale);

// Returns `degrees` formatted as "####0.0#"; never fails.
std::u16string FormatDirection(double degrees, const NumberLocale& locale);

// Returns the one-line result (text::ResultLine) of the two captions.
std::u16string ResultLine(std::u16string_view distanceCaption, std::u16string_view directionCaption);

// Appends the result line of `km` and `direction` in `locale` to `out`
// (UTF-8, without line end): what ResultLine gives for FormatDistance and
// FormatDirection, without the detour through UTF-16.
void AppendResultLine(std::string& out, double km, double direction, const NumberLocale& locale);

// Appends `value` with `decimals` (0 to 6) decimals and a decimal point.
void AppendFixed(std::string& out, double value, int decimals);

// Appends the four path columns of a TSV line, tab-separated: km (3
// decimals), direction (2), long-path km (3), long-path direction (2).
// Directions are in [0, 360): one that rounds to 360.00 is written 0.00.
void AppendPathColumns(std::string& out, double km, double direction, double longPathKm, double longPathDirection);

// Appends `text` as one TSV column: a tab or line break in it becomes a blank.
void AppendTsvField(std::string& out, std::string_view text);

}  // namespace pelvorn
