#pragma once

#include <string>
#include <string_view>

namespace pelvorn {

// Where DegreesToLocator sends its warning for a coordinate out of range.
// The window shows a warning box; a run without a display writes to stderr.
class CoordinateWarnings {
public:
  virtual ~CoordinateWarnings() = default;
  // Shows a warning with `title` and `prompt` (UTF-8) and returns when the
  // user has seen it.
  virtual void Warn(std::string_view title, std::string_view prompt) = 0;
};

// Texts of the two warnings, UTF-8.
inline constexpr std::string_view LongitudeWarningTitle = " Falsche L\u00e4ngegradeingabe !";
inline constexpr std::string_view LongitudeWarningPrompt = " ( max \u00b1179,99999\u00b0\" ) ";
inline constexpr std::string_view LatitudeWarningTitle = " Falsche Breitengradeingabe !";
inline constexpr std::string_view LatitudeWarningPrompt = " ( max \u00b189,99999\u00b0\" ) ";

// Returns the six-character locator (capitals) of the subsquare holding the
// position; a position on a boundary belongs to the square to its east or
// north. A longitude whose magnitude is not below 180 (NaN included) gives
// the longitude warning, otherwise such a latitude (not below 90) the
// latitude warning; after the one warning the result is empty.
std::string DegreesToLocator(double longitude, double latitude, CoordinateWarnings& warnings);

}  // namespace pelvorn
