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

namespace pelvorn {
namespace {

struct Station { double latitude, longitude; };

// The centre of the subsquare with the longitude signed, -180 to 180.
Station SignedCentre(const std::string& locator) {
  const std::u16string text(locator.begin(), locator.end());
  Station centre{LocatorToLatitude(text), LocatorToLongitude(text)};
  if (centre.longitude >= 180) centre.longitude -= 360;
  return centre;
}

// Locators of 8, 10 and 12 characters decode to the centres Hamlib gives
// (its encoding is not used: it rounds wrongly near cell edges).
TEST(HamlibReference, CentresOfExtendedLocators) {
  rig_set_debug(RIG_DEBUG_NONE);
  std::mt19937 random(20261207);
  const unsigned choices[] = {18, 18, 10, 10, 24, 24, 10, 10, 24, 24, 10, 10};
  for (int round = 0; round < 3000; ++round) {
    const std::size_t length = 8 + 2 * static_cast<std::size_t>(round % 3);
    std::string locator = std::string("AA00AA00AA00").substr(0, length);
    for (std::size_t i = 0; i < length; ++i) locator[i] = static_cast<char>(locator[i] + random() % choices[i]);
    SCOPED_TRACE(locator);
    double longitude = 0, latitude = 0;
    ASSERT_EQ(locator2longlat(&longitude, &latitude, locator.c_str()), RIG_OK);
    const std::optional<LocatorCell> ours = ReadExtendedLocator(locator);
    ASSERT_TRUE(ours.has_value());
    EXPECT_NEAR(ours->latitude, latitude, 1e-9);
    EXPECT_NEAR(ours->longitude >= 180 ? ours->longitude - 360 : ours->longitude, longitude, 1e-9);
  }
}

// Hamlib rounds its bearings to whole degrees, so they are not compared.
TEST(HamlibReference, CentresAndCentralAngles) {
  rig_set_debug(RIG_DEBUG_NONE);
  std::mt19937 random(20260106);
  const auto randomLocator = [&random] {  // a valid one
    std::string locator = "AA00AA";
    const unsigned choices[] = {18, 18, 10, 10, 24, 24};
    for (int i = 0; i < 6; ++i) locator[i] = static_cast<char>(locator[i] + random() % choices[i]);
    return locator;
  };
  const double degreesPerKm = 2 * PiPrime / Circumference * 180 / std::numbers::pi;
  int compared = 0;
  for (int pair = 0; pair < 4000; ++pair) {
    const std::string locators[] = {randomLocator(), randomLocator()};
    SCOPED_TRACE(locators[0] + " " + locators[1]);
    Station ours[2];
    for (int i = 0; i < 2; ++i) {
      ours[i] = SignedCentre(locators[i]);
      double longitude = 0, latitude = 0;
      ASSERT_EQ(locator2longlat(&longitude, &latitude, locators[i].c_str()), RIG_OK);
      EXPECT_NEAR(ours[i].latitude, latitude, 1e-9);
      EXPECT_NEAR(ours[i].longitude, longitude, 1e-9);
    }
    const auto& [own, foreign] = ours;
    const double km = DistanceKm(CentralAngle(own.latitude, foreign.latitude, own.longitude, foreign.longitude));
    // Hamlib reports 0 km for nearly identical points and a fixed value near
    // the antipodes.
    if (km < 1 || km > Circumference / 2 - 10) continue;
    double hamlibKm = 0, azimuth = 0;
    ASSERT_EQ(qrb(own.longitude, own.latitude, foreign.longitude, foreign.latitude, &hamlibKm, &azimuth), RIG_OK);
    EXPECT_NEAR(km * degreesPerKm, hamlibKm / 111.2, 1e-9 * hamlibKm / 111.2);
    ++compared;
  }
  EXPECT_GT(compared, 3900);
}

}  // namespace
}  // namespace pelvorn
