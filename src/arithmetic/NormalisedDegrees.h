#pragma once

#include <cmath>

namespace pelvorn {

// Returns `degrees` brought into [0, 360) by whole turns; fmod is exact, so
// an angle already in range comes back unchanged. A NaN or infinite angle
// gives NaN.
inline double NormalisedDegrees(double degrees) {
  const double turned = std::fmod(degrees, 360.0);
  if (turned >= 0) return turned;
  // A tiny negative angle plus a turn rounds to 360, which is 0.
  const double positive = turned + 360.0;
  return positive < 360.0 ? positive : 0.0;
}

}  // namespace pelvorn
