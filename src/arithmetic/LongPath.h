#pragma once

// The long path: the other way round the same great circle, on the same
// sphere as the short path it is derived from.

namespace pelvorn {

struct LongPath {
  double km;         // circumference - short-path km
  double direction;  // short-path direction + 180, brought into [0, 360)
};

// Returns the long path for a short path of `shortKm` and `shortDirection`
// (degrees, 0 to below 360) on a sphere of `circumference` km.
inline LongPath LongPathOf(double shortKm, double shortDirection, double circumference) {
  double direction = shortDirection + 180;
  if (direction >= 360) direction -= 360;
  return {circumference - shortKm, direction};
}

}  // namespace pelvorn
