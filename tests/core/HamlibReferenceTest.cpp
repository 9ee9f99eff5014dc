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
#include <utility>

namespace pelvorn {
namespace {

// The centre Hamlib's locator2longlat gives, longitude first.
std::pair<double, double> HamlibCentre(const std::string& locator) {
  double longitude = 0, latitude = 0;
  EXPECT_EQ(locator2longlat(&longitude, &latitude, locator.c_str()), RIG_OK) << locator;
  return {longitude, latitude};
}

// A random valid locator of `length` characters.
std::string RandomLocator(std::mt19937& random, std::size_t length = 6) {
  const unsigned choices[] = {18, 18, 10, 10, 24, 24, 10, 10, 24, 24, 10, 10};
  std::string locator = std::string("AA00AA00AA00").substr(0, length);
  for (std::size_t i = 0; i < length; ++i) locator[i] = static_cast<char>(locator[i] + random() % choices[i]);
  return locator;
}

// Random valid locators decode to the centres Hamlib gives (its encoding is
// not used: it rounds wrongly near cell edges): those of 8, 10 and 12
// characters, and those of 6 in the window's own decoding, whose central
// angle agrees with Hamlib's qrb. Hamlib rounds its bearings to whole
// degrees, so they are not compared.
TEST(HamlibReference, CentresAndCentralAngles) {
  rig_set_debug(RIG_DEBUG_NONE);
  std::mt19937 random(20261207);
  const auto signedLongitude = [](double longitude) { return longitude >= 180 ? longitude - 360 : longitude; };
  for (int round = 0; round < 3000; ++round) {
    const std::string locator = RandomLocator(random, 8 + 2 * static_cast<std::size_t>(round % 3));
    const auto [longitude, latitude] = HamlibCentre(locator);
    const std::optional<LocatorCell> ours = ReadExtendedLocator(locator);
    ASSERT_TRUE(ours.has_value()) << locator;
    EXPECT_NEAR(ours->latitude, latitude, 1e-9) << locator;
    EXPECT_NEAR(signedLongitude(ours->longitude), longitude, 1e-9) << locator;
  }
  const double degreesPerKm = 2 * PiPrime / Circumference * 180 / std::numbers::pi;
  int compared = 0;
  for (int pair = 0; pair < 4000; ++pair) {
    double lat[2], lon[2];
    for (int i = 0; i < 2; ++i) {
      const std::string locator = RandomLocator(random);
      const std::u16string text(locator.begin(), locator.end());
      lat[i] = LocatorToLatitude(text), lon[i] = signedLongitude(LocatorToLongitude(text));
      const auto [longitude, latitude] = HamlibCentre(locator);
      EXPECT_NEAR(lat[i], latitude, 1e-9) << locator;
      EXPECT_NEAR(lon[i], longitude, 1e-9) << locator;
    }
    const double km = DistanceKm(CentralAngle(lat[0], lat[1], lon[0], lon[1]));
    // Hamlib reports 0 km for nearly identical points and a fixed value near
    // the antipodes.
    if (km < 1 || km > Circumference / 2 - 10) continue;
    double hamlibKm = 0, azimuth = 0;
    ASSERT_EQ(qrb(lon[0], lat[0], lon[1], lat[1], &hamlibKm, &azimuth), RIG_OK);
    EXPECT_NEAR(km * degreesPerKm, hamlibKm / 111.2, 1e-9 * hamlibKm / 111.2);
    ++compared;
  }
  EXPECT_GT(compared, 3900);
}

// floor(111.2 x central angle in degrees) + 1 against Hamlib's qrb, which
// works at 111.2 km per degree of arc between the centres its
// locator2longlat gives. Hamlib replaces nearly antipodal pairs (cosine
// below -0.999999) by exactly 180 degrees; those are left out.
TEST(ContestDistance, AgreesWithHamlibOnRandomPairs) {
  rig_set_debug(RIG_DEBUG_NONE);
  std::mt19937 random(20261207);
  int compared = 0;
  for (int i = 0; i < 100000; ++i) {
    const std::string own = RandomLocator(random);
    const std::string foreign = i % 50 == 0 ? own : RandomLocator(random);
    const auto [lon1, lat1] = HamlibCentre(own);
    const auto [lon2, lat2] = HamlibCentre(foreign);
    double km = 0, azimuth = 0;
    ASSERT_EQ(qrb(lon1, lat1, lon2, lat2, &km, &azimuth), RIG_OK);
    if (km >= 180 * ContestKmPerDegree - 10) continue;
    ++compared;
    ASSERT_EQ(ContestKilometresBetween(own, foreign), static_cast<long>(std::floor(km)) + 1) << own << ' ' << foreign;
  }
  EXPECT_GT(compared, 95000);
}

}  // namespace
}  // namespace pelvorn
