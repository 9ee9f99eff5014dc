// Hamlib as an independent reference for the locator arithmetic: the
// decoded centres of valid locators and the central angle between them.
#include "arithmetic/ExtendedLocator.h"
#include "arithmetic/GreatCircle.h"
#include "arithmetic/LocatorDecoding.h"

#include <hamlib/rig.h>
#include <hamlib/rotator.h>

#include <gtest/gtest.h>

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

// Random valid locators of 6 to 12 characters decode to the centres Hamlib
// gives (its encoding is not used: it rounds wrongly near cell edges), those
// of 6 characters also in the window's own decoding; and the central angle
// between two of those agrees with Hamlib's qrb. Hamlib rounds its bearings
// to whole degrees, so they are not compared.
TEST(HamlibReference, CentresAndCentralAngles) {
  rig_set_debug(RIG_DEBUG_NONE);
  std::mt19937 random(20261207);
  const auto randomLocator = [&random](std::size_t length) {
    const unsigned choices[] = {18, 18, 10, 10, 24, 24, 10, 10, 24, 24, 10, 10};
    std::string locator = std::string("AA00AA00AA00").substr(0, length);
    for (std::size_t i = 0; i < length; ++i) locator[i] = static_cast<char>(locator[i] + random() % choices[i]);
    return locator;
  };
  const auto signedLongitude = [](double longitude) { return longitude >= 180 ? longitude - 360 : longitude; };
  for (int round = 0; round < 3000; ++round) {
    const std::string locator = randomLocator(8 + 2 * static_cast<std::size_t>(round % 3));
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
      const std::string locator = randomLocator(6);
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

}  // namespace
}  // namespace pelvorn
