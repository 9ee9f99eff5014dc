// Hamlib as an independent reference for the locator arithmetic: the
// decoded centres of valid locators, the central angle between them and the
// contest kilometres.
#include "arithmetic/ContestDistance.h"
#include "arithmetic/ExtendedLocator.h"
#include "arithmetic/GreatCircle.h"
#include "arithmetic/LocatorDecoding.h"

#include <hamlib/rig.h>
#include <hamlib/rotator.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <utility>

namespace pelvorn {
namespace {

// The centre Hamlib's locator2longlat gives, longitude first.
std::pair<double, double> HamlibCentre(const std::string& locator) {
  double longitude = 0, latitude = 0;
  EXPECT_EQ(locator2longlat(&longitude, &latitude, locator.c_str()), RIG_OK) << locator;
  return {longitude, latitude};
}

double SignedLongitude(double longitude) { return longitude >= 180 ? longitude - 360 : longitude; }

// A random valid locator of `length` characters.
std::string RandomLocator(std::mt19937& random, std::size_t length = 6) {
  const unsigned choices[] = {18, 18, 10, 10, 24, 24, 10, 10, 24, 24, 10, 10};
  std::string locator = std::string("AA00AA00AA00").substr(0, length);
  for (std::size_t i = 0; i < length; ++i) locator[i] = static_cast<char>(locator[i] + random() % choices[i]);
  return locator;
}

// Random valid locators of 8 to 12 characters and the window's own decoding
// of 6 give the centres Hamlib gives (its encoding is not used: it rounds
// wrongly near cell edges). Between random pairs the central angle agrees
// with Hamlib's qrb (which reports 0 km for nearly identical points and a
// fixed value near the antipodes, and whole degrees as bearings, not
// compared), and the contest kilometres are floor(111.2 x central angle in
// degrees) + 1 by qrb; Hamlib makes nearly antipodal pairs (cosine below
// -0.999999) exactly 180 degrees: those are left out.
TEST(HamlibReference, CentresCentralAnglesAndContestKilometres) {
  rig_set_debug(RIG_DEBUG_NONE);
  std::mt19937 random(20261207);
  const double degreesPerKm = 2 * PiPrime / Circumference * 180 / std::numbers::pi;
  int angles = 0, contest = 0;
  for (int i = 0; i < 100000; ++i) {
    const std::string extended = RandomLocator(random, 8 + 2 * static_cast<std::size_t>(i % 3));
    const std::optional<LocatorCell> cell = ReadExtendedLocator(extended);
    ASSERT_TRUE(cell.has_value()) << extended;
    const auto [cellLongitude, cellLatitude] = HamlibCentre(extended);
    ASSERT_NEAR(cell->latitude, cellLatitude, 1e-9) << extended;
    ASSERT_NEAR(SignedLongitude(cell->longitude), cellLongitude, 1e-9) << extended;
    const std::string own = RandomLocator(random);
    const std::string foreign = i % 50 == 0 ? own : RandomLocator(random);
    double lat[2], lon[2], hamlibLat[2], hamlibLon[2];
    for (int end = 0; end < 2; ++end) {
      const std::string& locator = end == 0 ? own : foreign;
      const std::u16string text(locator.begin(), locator.end());
      lat[end] = LocatorToLatitude(text), lon[end] = SignedLongitude(LocatorToLongitude(text));
      std::tie(hamlibLon[end], hamlibLat[end]) = HamlibCentre(locator);
      ASSERT_NEAR(lat[end], hamlibLat[end], 1e-9) << locator;
      ASSERT_NEAR(lon[end], hamlibLon[end], 1e-9) << locator;
    }
    double hamlibKm = 0, azimuth = 0;
    const double km = DistanceKm(CentralAngle(lat[0], lat[1], lon[0], lon[1]));
    if (km >= 1 && km <= Circumference / 2 - 10) {
      ASSERT_EQ(qrb(lon[0], lat[0], lon[1], lat[1], &hamlibKm, &azimuth), RIG_OK);
      ASSERT_NEAR(km * degreesPerKm, hamlibKm / 111.2, 1e-9 * hamlibKm / 111.2) << own << ' ' << foreign;
      ++angles;
    }
    ASSERT_EQ(qrb(hamlibLon[0], hamlibLat[0], hamlibLon[1], hamlibLat[1], &hamlibKm, &azimuth), RIG_OK);
    if (hamlibKm >= 180 * ContestKmPerDegree - 10) continue;
    ASSERT_EQ(ContestKilometresBetween(own, foreign), static_cast<long>(std::floor(hamlibKm)) + 1)
        << own << ' ' << foreign;
    ++contest;
  }
  EXPECT_GT(angles, 95000);
  EXPECT_GT(contest, 95000);
}

}  // namespace
}  // namespace pelvorn
