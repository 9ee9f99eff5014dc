#pragma once

#include "arithmetic/DegreesToLocator.h"
#include "common/Texts.h"

#include <string_view>

namespace pelvorn {

struct CoordinateWarning {
  std::string_view title;
  std::string_view prompt;
};

// Returns the warning box's texts for a coordinate DegreesToLocator refused;
// `outOfRange` must not be None.
constexpr CoordinateWarning CoordinateWarningFor(CoordinateOutOfRange outOfRange) {
  return outOfRange == CoordinateOutOfRange::Longitude ? CoordinateWarning{text::LongitudeWarningTitle, text::LongitudeWarningPrompt}
                                                       : CoordinateWarning{text::LatitudeWarningTitle, text::LatitudeWarningPrompt};
}

}  // namespace pelvorn
