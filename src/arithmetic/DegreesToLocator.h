#pragma once

#include <string>

namespace pelvorn {

// Which coordinate DegreesToLocator refused; the caller tells the user.
enum class CoordinateOutOfRange {
  None,       // both in range: the locator is there
  Longitude,  // magnitude not below 180, or NaN
  Latitude,   // magnitude not below 90, or NaN (the longitude was in range)
};

struct LocatorFromDegrees {
  std::string locator;  // six capitals; empty when a coordinate is out of range
  CoordinateOutOfRange outOfRange = CoordinateOutOfRange::None;
};

// Returns the six-character locator of the subsquare holding the position; a
// position on a boundary belongs to the cell to its east or north. Fails
// with an empty locator and the first coordinate out of range, the
// longitude checked first.
LocatorFromDegrees DegreesToLocator(double longitude, double latitude);

}  // namespace pelvorn
