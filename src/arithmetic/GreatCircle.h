#pragma once

#include <bit>
#include <cstdint>

// Great-circle distance and initial bearing on a sphere, by the spherical law
// of cosines. Angles are degrees at the interfaces, radians inside. The
// window's path checks every floating-point step (see CheckedArithmetic.h);
// the console tools' path runs the very same steps without the checks, so
// both give the same doubles for finite coordinates.

namespace pelvorn {

// The program's value of pi for degree/radian conversion: 3.14159265358979,
// seven units in the last place below the double nearest pi.
inline constexpr double PiPrime = std::bit_cast<double>(std::uint64_t{0x400921FB54442D11});
// Circumference of the sphere in km (2 * PiPrime * 6367.6539915).
inline constexpr double Circumference = std::bit_cast<double>(std::uint64_t{0x40E38924CCCE0CE3});
// Cosines at or beyond +-1 are clamped to +-CosineClamp (0.999999999999999).
inline constexpr double CosineClamp = std::bit_cast<double>(std::uint64_t{0x3FEFFFFFFFFFFFF7});

// Returns the arc cosine of `x` in radians as atan(-x / sqrt(1 - x*x)) +
// 2*atan(1). Throws RuntimeError: InvalidArgument when 1 - x*x < 0,
// DivisionByZero for x = +-1.
double ArcCos(double x);

// Returns the central angle in radians between (lat1, lon1) and
// (lat2, lon2), with the cosine clamped to +-CosineClamp, so strictly
// between 0 and pi. Longitudes may be signed or 0..360. Throws RuntimeError
// when a step raises a floating-point flag or the cosine is NaN (coordinates
// not finite).
double CentralAngle(double lat1, double lat2, double lon1, double lon2);

// Returns the length in km of the arc of `centralAngle` radians. Throws
// RuntimeError when a step raises a floating-point flag.
double DistanceKm(double centralAngle);

// Returns the initial bearing in degrees (clockwise from north, strictly
// between 0 and 360) from station 1 to station 2, given their central angle.
// Throws RuntimeError when a step raises a floating-point flag or the
// cosine is NaN.
double Direction(double lat1, double lat2, double lon1, double lon2, double centralAngle);

struct DistanceAndDirection {
  double km;         // DistanceKm(CentralAngle(...))
  double direction;  // Direction(..., CentralAngle(...))
};

// Returns what DistanceKm and Direction return, without testing the status
// flags: for runs over millions of pairs of finite coordinates (locator
// centres, or degrees DegreesToLocator accepted). Never throws; coordinates
// that are not finite give NaN.
DistanceAndDirection UncheckedDistanceAndDirection(double lat1, double lat2, double lon1, double lon2);

// The great circle that leaves a point in a direction, walked on the
// program's sphere (the one DistanceKm measures on). Unchecked, for
// sampling lines point by point: coordinates that are not finite give NaN.
class GreatCircleWalk {
public:
  // From (latitude, longitude), leaving in `direction` (degrees clockwise
  // from north).
  GreatCircleWalk(double latitude, double longitude, double direction);

  struct Position {
    double latitude;
    double longitude;  // in [-180, 180]
  };
  // Returns the point `km` along the circle.
  Position At(double km) const;

private:
  double start_[3];    // unit vector of the start
  double tangent_[3];  // unit vector along the circle at the start
};

}  // namespace pelvorn
