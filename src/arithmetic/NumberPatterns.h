#pragma once

#include "common/NumberLocale.h"

#include <string>
#include <string_view>

// The number patterns of the result display: "####0.0##" for the distance and
// "####0.0#" for the direction. The value is rounded to 3 or 2 decimals (a
// value exactly halfway rounds away from zero); the integer part shows all
// its digits without grouping; the first decimal always shows, further ones
// up to the last non-zero digit; the decimal separator is the locale's, the
// digits are ASCII; a value that rounds to zero never shows a sign.

namespace pelvorn {

// Returns `km` formatted as "####0.0##"; never fails.
std::u16string FormatDistance(double km, const NumberLocale& locale);

// Returns `degrees` formatted as "####0.0#"; never fails.
std::u16string FormatDirection(double degrees, const NumberLocale& locale);

// Returns the one-line result (text::ResultLine) of the two captions.
std::u16string ResultLine(std::u16string_view distanceCaption, std::u16string_view directionCaption);

}  // namespace pelvorn
