#include "UncheckedGreatCircle.h"

#include "GreatCircle.h"

#include <cmath>

namespace pelvorn {
namespace {

// Each step of GreatCircle.cpp, in its order; see there for the reasons.
double Radians(double degrees) { return degrees * PiPrime / 180; }

double Clamp(double cosine) {
  if (cosine >= 1) cosine = CosineClamp;
  if (cosine <= -1) cosine = -CosineClamp;
  return cosine;
}

double LongitudeDifference(double lon1, double lon2) {
  const double own = Radians(lon1);
  return Radians(lon2) - own;
}

double UncheckedArcCos(double x) {
  const double root = std::sqrt(1 - x * x);
  const double quarterPi = std::atan(1.0);
  const double arc = std::atan(-x / root);
  return arc + (quarterPi + quarterPi);
}

}  // namespace

DistanceAndDirection UncheckedDistanceAndDirection(double lat1, double lat2, double lon1, double lon2) {
  const double phi1 = Radians(lat1);
  const double phi2 = Radians(lat2);
  const double deltaLambda = LongitudeDifference(lon1, lon2);
  const double sines = std::sin(phi1) * std::sin(phi2);
  const double cosines = std::cos(phi2) * std::cos(phi1);
  const double angle = UncheckedArcCos(Clamp(sines + cosines * std::cos(deltaLambda)));

  const double arc = (Circumference / 360) * angle;
  const double km = arc * 180 / PiPrime;

  const double sinPhi1 = std::sin(phi1);
  const double numerator = std::sin(phi2) - std::cos(angle) * sinPhi1;
  const double denominator = std::sin(angle) * std::cos(phi1);
  double direction = UncheckedArcCos(Clamp(numerator / denominator)) * 180 / PiPrime;
  if (std::sin(deltaLambda) < 0) direction = -direction + 360;
  return {km, direction};
}

}  // namespace pelvorn
