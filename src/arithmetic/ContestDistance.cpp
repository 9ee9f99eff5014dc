#include "ContestDistance.h"
#include "common/Text.h"

#include "LocatorDecoding.h"
#include "SubsquareCentres.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pelvorn {
namespace {

constexpr double RadiansPerDegree = std::numbers::pi / 180;
constexpr double DegreesPerRadian = 180 / std::numbers::pi;

char16_t Capital(char c) { return static_cast<unsigned char>(AsciiCapital(c)); }

}  // namespace

double ContestArcDegrees(double lat1, double lat2, double lon1, double lon2) {
  const double phi1 = lat1 * RadiansPerDegree;
  const double phi2 = lat2 * RadiansPerDegree;
  const double deltaLambda = (lon2 - lon1) * RadiansPerDegree;
  const double cosine =
      std::sin(phi1) * std::sin(phi2) + std::cos(phi1) * std::cos(phi2) * std::cos(deltaLambda);
  return std::acos(std::clamp(cosine, -1.0, 1.0)) * DegreesPerRadian;
}

long ContestKilometres(double lat1, double lat2, double lon1, double lon2) {
  const double km = ContestKmPerDegree * ContestArcDegrees(lat1, lat2, lon1, lon2);
  return static_cast<long>(std::floor(km)) + 1;
}

ContestLocator ReadContestLocator(std::string_view text) {
  if (text.size() != 6 && text.size() != 4) return {};
  char16_t capitals[6] = {u'M', u'M', u'M', u'M', u'M', u'M'};
  for (std::size_t i = 0; i < text.size(); ++i) capitals[i] = Capital(text[i]);
  const std::u16string_view locator(capitals, 6);
  if (!IsWellFormedLocator(locator)) return {};
  const auto kind = text.size() == 6 ? ContestLocator::Kind::Subsquare : ContestLocator::Kind::SquareOnly;
  const SubsquareCentre centre = CentreOfWellFormed(locator);
  return {kind, centre.latitude, centre.longitude};
}

std::optional<long> ContestKilometresBetween(std::string_view own, std::string_view foreign) {
  const ContestLocator a = ReadContestLocator(own);
  const ContestLocator b = ReadContestLocator(foreign);
  if (a.kind == ContestLocator::Kind::Invalid || b.kind == ContestLocator::Kind::Invalid) return std::nullopt;
  return ContestKilometres(a.latitude, b.latitude, a.longitude, b.longitude);
}

}  // namespace pelvorn
