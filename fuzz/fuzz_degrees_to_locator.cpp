// Any two doubles, NaN and infinities included: either the coordinate out of
// range and no locator, or a well-formed locator whose subsquare holds the point.
#include "FuzzInput.h"

#include "arithmetic/DegreesToLocator.h"
#include "arithmetic/LocatorDecoding.h"

#include <cmath>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const double longitude = FuzzDouble(data, size);
  const double latitude = FuzzDouble(data, size);
  const auto [locator, outOfRange] = pelvorn::DegreesToLocator(longitude, latitude);
  using enum pelvorn::CoordinateOutOfRange;
  const auto expected = !(std::fabs(longitude) < 180) ? Longitude : !(std::fabs(latitude) < 90) ? Latitude : None;
  if (outOfRange != expected) std::abort();
  const bool inRange = expected == None;
  if (!inRange) return locator.empty() ? 0 : (std::abort(), 0);

  const std::u16string text(locator.begin(), locator.end());
  if (!pelvorn::IsWellFormedLocator(text)) std::abort();
  // The centre of the subsquare lies within half a subsquare of the point
  // (with room for rounding at the boundaries).
  const double centreLatitude = pelvorn::LocatorToLatitude(text);
  double centreLongitude = pelvorn::LocatorToLongitude(text);
  if (centreLongitude >= 180) centreLongitude -= 360;
  if (std::fabs(centreLatitude - latitude) > 1.25 / 60 + 1e-9) std::abort();
  if (std::fabs(centreLongitude - longitude) > 2.5 / 60 + 1e-9) std::abort();
  return 0;
}
