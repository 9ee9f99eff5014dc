#include "GreatCircle.h"

#include "CheckedArithmetic.h"
#include "RuntimeError.h"

#include <algorithm>
#include <cmath>

namespace pelvorn {
namespace {

// Whether the steps are checked: the window's path, or the console tools'.
enum class Checks { EveryStep, None };

// Every step of the great circle, written once. The build keeps floating
// point exactly as written, so both instances compute the same operations
// in the same order and give the same doubles for finite coordinates.
template <Checks checks>
struct Sphere {
  static constexpr bool stepsChecked = checks == Checks::EveryStep;

  // Returns `value`; checked, after testing the flags of the step that
  // produced it (throws RuntimeError when one is raised).
  static double Step(double value) {
    if constexpr (stepsChecked) return checked::Step(value);
    return value;
  }

  // Clears the status flags before a checked computation; never fails.
  static void Start() {
    if constexpr (stepsChecked) checked::StartFloatingPoint();
  }

  // Returns `degrees` in radians, by the program's value of pi.
  static double Radians(double degrees) { return Step(Step(degrees * PiPrime) / 180); }

  // Returns `cosine` kept strictly inside +-1. Checked, a NaN cosine (which
  // comes only from coordinates that are not finite, and has no angle)
  // throws RuntimeError (InvalidOperation); unchecked, it stays NaN.
  static double Clamp(double cosine) {
    if constexpr (stepsChecked) {
      if (std::isnan(cosine)) throw RuntimeError(RuntimeErrorKind::InvalidOperation);
    }
    if (cosine >= 1) cosine = CosineClamp;
    if (cosine <= -1) cosine = -CosineClamp;
    return cosine;
  }

  // Returns the difference lon2 - lon1 in radians.
  static double LongitudeDifference(double lon1, double lon2) {
    const double own = Radians(lon1);
    return Step(Radians(lon2) - own);
  }

  // ArcCos; unchecked, a radicand below 0 gives NaN instead of throwing.
  static double ArcCos(double x) {
    Start();
    const double radicand = Step(1 - Step(x * x));
    if constexpr (stepsChecked) {
      if (radicand < 0) throw RuntimeError(RuntimeErrorKind::InvalidArgument);
    }
    const double root = Step(std::sqrt(radicand));
    const double quarterPi = Step(std::atan(1.0));
    const double arc = Step(std::atan(Step(-x / root)));
    return Step(arc + Step(quarterPi + quarterPi));
  }

  // CentralAngle; unchecked, coordinates that are not finite give NaN.
  static double CentralAngle(double lat1, double lat2, double lon1, double lon2) {
    Start();
    const double phi1 = Radians(lat1);
    const double phi2 = Radians(lat2);
    const double deltaLambda = LongitudeDifference(lon1, lon2);
    const double sines = Step(Step(std::sin(phi1)) * Step(std::sin(phi2)));
    const double cosines = Step(Step(std::cos(phi2)) * Step(std::cos(phi1)));
    const double x = Step(sines + Step(cosines * Step(std::cos(deltaLambda))));
    return ArcCos(Clamp(x));
  }

  // DistanceKm; unchecked, it never fails.
  static double DistanceKm(double centralAngle) {
    Start();
    const double arc = Step(Step(Circumference / 360) * centralAngle);
    return Step(Step(arc * 180) / PiPrime);
  }

  // Direction; unchecked, coordinates that are not finite give NaN.
  static double Direction(double lat1, double lat2, double lon1, double lon2, double centralAngle) {
    Start();
    const double phi1 = Radians(lat1);
    const double phi2 = Radians(lat2);
    const double sinPhi1 = Step(std::sin(phi1));
    const double numerator = Step(Step(std::sin(phi2)) - Step(Step(std::cos(centralAngle)) * sinPhi1));
    const double denominator = Step(Step(std::sin(centralAngle)) * Step(std::cos(phi1)));
    const double y = Clamp(Step(numerator / denominator));
    double direction = Step(Step(ArcCos(y) * 180) / PiPrime);
    // Foreign station to the west: reflect. A sine of exactly 0 (same
    // meridian) leaves the direction as it is.
    if (Step(std::sin(LongitudeDifference(lon1, lon2))) < 0) direction = Step(-direction + 360);
    return direction;
  }
};

using CheckedSphere = Sphere<Checks::EveryStep>;
using UncheckedSphere = Sphere<Checks::None>;

}  // namespace

double ArcCos(double x) { return CheckedSphere::ArcCos(x); }

double CentralAngle(double lat1, double lat2, double lon1, double lon2) {
  return CheckedSphere::CentralAngle(lat1, lat2, lon1, lon2);
}

double DistanceKm(double centralAngle) { return CheckedSphere::DistanceKm(centralAngle); }

double Direction(double lat1, double lat2, double lon1, double lon2, double centralAngle) {
  return CheckedSphere::Direction(lat1, lat2, lon1, lon2, centralAngle);
}

DistanceAndDirection UncheckedDistanceAndDirection(double lat1, double lat2, double lon1, double lon2) {
  const double centralAngle = UncheckedSphere::CentralAngle(lat1, lat2, lon1, lon2);
  return {UncheckedSphere::DistanceKm(centralAngle),
          UncheckedSphere::Direction(lat1, lat2, lon1, lon2, centralAngle)};
}

GreatCircleWalk::GreatCircleWalk(double latitude, double longitude, double direction) {
  const double phi = latitude * PiPrime / 180, lambda = longitude * PiPrime / 180;
  const double theta = direction * PiPrime / 180;
  const double sinPhi = std::sin(phi), cosPhi = std::cos(phi), sinLambda = std::sin(lambda), cosLambda = std::cos(lambda);
  const double north = std::cos(theta), east = std::sin(theta);
  start_[0] = cosPhi * cosLambda;
  start_[1] = cosPhi * sinLambda;
  start_[2] = sinPhi;
  // north * (unit vector north) + east * (unit vector east)
  tangent_[0] = -north * sinPhi * cosLambda - east * sinLambda;
  tangent_[1] = -north * sinPhi * sinLambda + east * cosLambda;
  tangent_[2] = north * cosPhi;
}

GreatCircleWalk::Position GreatCircleWalk::At(double km) const {
  // DistanceKm backwards: the central angle of `km`.
  const double angle = km * (2 * PiPrime) / Circumference;
  const double c = std::cos(angle), s = std::sin(angle);
  const double x = c * start_[0] + s * tangent_[0], y = c * start_[1] + s * tangent_[1];
  const double z = c * start_[2] + s * tangent_[2];
  // atan2 stays exact near the poles, where asin would not.
  return {std::atan2(z, std::sqrt(x * x + y * y)) * 180 / PiPrime,
          std::clamp(std::atan2(y, x) * 180 / PiPrime, -180.0, 180.0)};
}

}  // namespace pelvorn
