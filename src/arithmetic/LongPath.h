#pragma once

#include "NormalisedDegrees.h"

// The long path: the other way round the same great circle, on the same
// sphere as the short path it is derived from.

namespace pelvorn {

struct LongPath {
  double km;         // circumference - short-path km
  double direction;  // short-path direction + 180, brought into [0, 360)
};

// Returns the long path's direction for a short path's `shortDirection`.
inline double LongPathDirection(double shortDirection) { return NormalisedDegrees(shortDirection + 180); }

// Returns the long path for a short path of `shortKm` and `shortDirection`
// (degrees) on a sphere of `circumference` km. Never fails.
inline LongPath LongPathOf(double shortKm, double shortDirection, double circumference) {
  return {circumference - shortKm, LongPathDirection(shortDirection)};
}

}  // namespace pelvorn
