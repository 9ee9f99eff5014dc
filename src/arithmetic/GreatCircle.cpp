#include "GreatCircle.h"

#include "CheckedArithmetic.h"
#include "RuntimeError.h"

#include <cmath>

// Each function is written once, as a template on whether the status flags
// are tested after every step. The build keeps floating point exactly as
// written, so both instances compute the same operations in the same order.

namespace pelvorn {
namespace {

// Whether the steps are checked: the window's path, or the console tools'.
enum class Checks { EveryStep, None };

// Returns `value`, after testing the flags of the step that produced it when checked.
template <Checks checks>
double Step(double value) {
  if constexpr (checks == Checks::EveryStep) return checked::Step(value);
  return value;
}

// Clears the status flags before a checked computation.
template <Checks checks>
void Start() {
  if constexpr (checks == Checks::EveryStep) checked::StartFloatingPoint();
}

// Returns `degrees` in radians, by the program's value of pi.
template <Checks checks>
double Radians(double degrees) {
  return Step<checks>(Step<checks>(degrees * PiPrime) / 180);
}

// Returns `cosine` kept strictly inside +-1. When checked, a NaN cosine
// (which comes only from coordinates that are not finite, and has no
// angle) throws RuntimeError (InvalidOperation).
template <Checks checks>
double Clamp(double cosine) {
  if constexpr (checks == Checks::EveryStep) {
    if (std::isnan(cosine)) throw RuntimeError(RuntimeErrorKind::InvalidOperation);
  }
  if (cosine >= 1) cosine = CosineClamp;
  if (cosine <= -1) cosine = -CosineClamp;
  return cosine;
}

// Returns the difference lon2 - lon1 in radians.
template <Checks checks>
double LongitudeDifference(double lon1, double lon2) {
  const double own = Radians<checks>(lon1);
  return Step<checks>(Radians<checks>(lon2) - own);
}

// ArcCos; unchecked, a radicand below 0 gives NaN instead of throwing.
template <Checks checks>
double ArcCosOf(double x) {
  Start<checks>();
  const double radicand = Step<checks>(1 - Step<checks>(x * x));
  if constexpr (checks == Checks::EveryStep) {
    if (radicand < 0) throw RuntimeError(RuntimeErrorKind::InvalidArgument);
  }
  const double root = Step<checks>(std::sqrt(radicand));
  const double quarterPi = Step<checks>(std::atan(1.0));
  const double arc = Step<checks>(std::atan(Step<checks>(-x / root)));
  return Step<checks>(arc + Step<checks>(quarterPi + quarterPi));
}

// CentralAngle; unchecked, coordinates that are not finite give NaN.
template <Checks checks>
double CentralAngleOf(double lat1, double lat2, double lon1, double lon2) {
  Start<checks>();
  const double phi1 = Radians<checks>(lat1);
  const double phi2 = Radians<checks>(lat2);
  const double deltaLambda = LongitudeDifference<checks>(lon1, lon2);
  const double sines = Step<checks>(Step<checks>(std::sin(phi1)) * Step<checks>(std::sin(phi2)));
  const double cosines = Step<checks>(Step<checks>(std::cos(phi2)) * Step<checks>(std::cos(phi1)));
  const double x = Step<checks>(sines + Step<checks>(cosines * Step<checks>(std::cos(deltaLambda))));
  return ArcCosOf<checks>(Clamp<checks>(x));
}

// DistanceKm; unchecked, it never fails.
template <Checks checks>
double DistanceKmOf(double centralAngle) {
  Start<checks>();
  const double arc = Step<checks>(Step<checks>(Circumference / 360) * centralAngle);
  return Step<checks>(Step<checks>(arc * 180) / PiPrime);
}

// Direction; unchecked, coordinates that are not finite give NaN.
template <Checks checks>
double DirectionOf(double lat1, double lat2, double lon1, double lon2, double centralAngle) {
  Start<checks>();
  const double phi1 = Radians<checks>(lat1);
  const double phi2 = Radians<checks>(lat2);
  const double sinPhi1 = Step<checks>(std::sin(phi1));
  const double numerator =
      Step<checks>(Step<checks>(std::sin(phi2)) - Step<checks>(Step<checks>(std::cos(centralAngle)) * sinPhi1));
  const double denominator = Step<checks>(Step<checks>(std::sin(centralAngle)) * Step<checks>(std::cos(phi1)));
  const double y = Clamp<checks>(Step<checks>(numerator / denominator));
  double direction = Step<checks>(Step<checks>(ArcCosOf<checks>(y) * 180) / PiPrime);
  // Foreign station to the west: reflect. A sine of exactly 0 (same
  // meridian) leaves the direction as it is.
  if (Step<checks>(std::sin(LongitudeDifference<checks>(lon1, lon2))) < 0) direction = Step<checks>(-direction + 360);
  return direction;
}

}  // namespace

double ArcCos(double x) { return ArcCosOf<Checks::EveryStep>(x); }

double CentralAngle(double lat1, double lat2, double lon1, double lon2) {
  return CentralAngleOf<Checks::EveryStep>(lat1, lat2, lon1, lon2);
}

double DistanceKm(double centralAngle) { return DistanceKmOf<Checks::EveryStep>(centralAngle); }

double Direction(double lat1, double lat2, double lon1, double lon2, double centralAngle) {
  return DirectionOf<Checks::EveryStep>(lat1, lat2, lon1, lon2, centralAngle);
}

DistanceAndDirection UncheckedDistanceAndDirection(double lat1, double lat2, double lon1, double lon2) {
  const double centralAngle = CentralAngleOf<Checks::None>(lat1, lat2, lon1, lon2);
  return {DistanceKmOf<Checks::None>(centralAngle),
          DirectionOf<Checks::None>(lat1, lat2, lon1, lon2, centralAngle)};
}

}  // namespace pelvorn
