#include "GreatCircle.h"

#include "CheckedArithmetic.h"
#include "RuntimeError.h"

#include <cmath>

namespace pelvorn {
namespace {

using checked::Step;

double Radians(double degrees) { return Step(Step(degrees * PiPrime) / 180); }

// A NaN cosine comes only from non-finite coordinates; it has no angle.
double Clamp(double cosine) {
  if (std::isnan(cosine)) throw RuntimeError(RuntimeErrorKind::InvalidOperation);
  if (cosine >= 1) cosine = CosineClamp;
  if (cosine <= -1) cosine = -CosineClamp;
  return cosine;
}

double LongitudeDifference(double lon1, double lon2) {
  const double own = Radians(lon1);
  return Step(Radians(lon2) - own);
}

}  // namespace

double ArcCos(double x) {
  checked::StartFloatingPoint();
  const double radicand = Step(1 - Step(x * x));
  if (radicand < 0) throw RuntimeError(RuntimeErrorKind::InvalidArgument);
  const double root = Step(std::sqrt(radicand));
  const double quarterPi = Step(std::atan(1.0));
  const double arc = Step(std::atan(Step(-x / root)));
  return Step(arc + Step(quarterPi + quarterPi));
}

double CentralAngle(double lat1, double lat2, double lon1, double lon2) {
  checked::StartFloatingPoint();
  const double phi1 = Radians(lat1);
  const double phi2 = Radians(lat2);
  const double deltaLambda = LongitudeDifference(lon1, lon2);
  const double sines = Step(Step(std::sin(phi1)) * Step(std::sin(phi2)));
  const double cosines = Step(Step(std::cos(phi2)) * Step(std::cos(phi1)));
  const double x = Step(sines + Step(cosines * Step(std::cos(deltaLambda))));
  return ArcCos(Clamp(x));
}

double DistanceKm(double centralAngle) {
  checked::StartFloatingPoint();
  const double arc = Step(Step(Circumference / 360) * centralAngle);
  return Step(Step(arc * 180) / PiPrime);
}

double Direction(double lat1, double lat2, double lon1, double lon2, double centralAngle) {
  checked::StartFloatingPoint();
  const double phi1 = Radians(lat1);
  const double phi2 = Radians(lat2);
  const double sinPhi1 = Step(std::sin(phi1));
  const double numerator =
      Step(Step(std::sin(phi2)) - Step(Step(std::cos(centralAngle)) * sinPhi1));
  const double denominator = Step(Step(std::sin(centralAngle)) * Step(std::cos(phi1)));
  const double y = Clamp(Step(numerator / denominator));
  double direction = Step(Step(ArcCos(y) * 180) / PiPrime);
  // Foreign station to the west: reflect. A sine of exactly 0 (same
  // meridian) leaves the direction as it is.
  if (Step(std::sin(LongitudeDifference(lon1, lon2))) < 0) direction = Step(-direction + 360);
  return direction;
}

}  // namespace pelvorn
