#pragma once

// Distance and direction as GreatCircle.h computes them, for runs over
// millions of pairs: the same operations on the same constants in the same
// order (the build keeps floating point exactly as written), so the very
// same doubles, but without the test of the status flags after each step.
// Those tests can only fire for coordinates that are not finite; callers
// pass finite coordinates only (locator centres, or degrees that
// DegreesToLocator accepted).

namespace pelvorn {

struct DistanceAndDirection {
  double km;         // DistanceKm(CentralAngle(...))
  double direction;  // Direction(..., CentralAngle(...))
};

// Returns what DistanceKm and Direction return for these finite coordinates.
DistanceAndDirection UncheckedDistanceAndDirection(double lat1, double lat2, double lon1, double lon2);

}  // namespace pelvorn
