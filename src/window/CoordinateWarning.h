#pragma once

#include "arithmetic/DegreesToLocator.h"

#include <string_view>

namespace pelvorn {

// Texts of the two warnings for degrees out of range, UTF-8.
inline constexpr std::string_view LongitudeWarningTitle = " Falsche L\u00e4ngegradeingabe !";
inline constexpr std::string_view LongitudeWarningPrompt = " ( max \u00b1179,99999\u00b0\" ) ";
inline constexpr std::string_view LatitudeWarningTitle = " Falsche Breitengradeingabe !";
inline constexpr std::string_view LatitudeWarningPrompt = " ( max \u00b189,99999\u00b0\" ) ";

struct CoordinateWarning {
  std::string_view title;
  std::string_view prompt;
};

// Returns the warning box's texts for a coordinate DegreesToLocator refused;
// `outOfRange` must not be None.
constexpr CoordinateWarning CoordinateWarningFor(CoordinateOutOfRange outOfRange) {
  return outOfRange == CoordinateOutOfRange::Longitude ? CoordinateWarning{LongitudeWarningTitle, LongitudeWarningPrompt}
                                                       : CoordinateWarning{LatitudeWarningTitle, LatitudeWarningPrompt};
}

}  // namespace pelvorn
