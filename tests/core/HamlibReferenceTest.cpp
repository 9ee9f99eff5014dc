// Hamlib as an independent reference for the decoded centres and the central
// angle. Its bearings are rounded to whole degrees, so they are not compared.
#include "locator/GreatCircle.h"
#include "locator/LocatorDecoding.h"

#include <hamlib/rig.h>
#include <hamlib/rotator.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>

namespace pelvorn {
namespace {

// A valid six-character locator drawn from `random`.
std::string RandomLocator(std::mt19937& random) {
  auto pick = [&](char first, unsigned count) { return static_cast<char>(first + random() % count); };
  std::string locator;
  locator += pick('A', 18);
  locator += pick('A', 18);
  locator += pick('0', 10);
  locator += pick('0', 10);
  locator += pick('A', 24);
  locator += pick('A', 24);
  return locator;
}

struct Centre {
  double latitude;
  double longitude;  // signed, -180..180
};

Centre OurCentre(const std::string& locator) {
  const std::u16string text(locator.begin(), locator.end());
  double longitude = LocatorToLongitude(text);
  if (longitude >= 180) longitude -= 360;
  return {LocatorToLatitude(text), longitude};
}

TEST(HamlibReference, CentresAndCentralAngles) {
  rig_set_debug(RIG_DEBUG_NONE);
  std::mt19937 random(20260106);
  const double kmPerRadian = Circumference / (2 * PiPrime);
  const double antipodalKm = Circumference / 2;
  int compared = 0;
  for (int pair = 0; pair < 4000; ++pair) {
    const std::string own = RandomLocator(random);
    const std::string foreign = RandomLocator(random);
    SCOPED_TRACE(own + " " + foreign);

    const Centre ours[] = {OurCentre(own), OurCentre(foreign)};
    Centre theirs[2];
    ASSERT_EQ(locator2longlat(&theirs[0].longitude, &theirs[0].latitude, own.c_str()), RIG_OK);
    ASSERT_EQ(locator2longlat(&theirs[1].longitude, &theirs[1].latitude, foreign.c_str()), RIG_OK);
    for (int i = 0; i < 2; ++i) {
      EXPECT_NEAR(ours[i].latitude, theirs[i].latitude, 1e-9);
      EXPECT_NEAR(ours[i].longitude, theirs[i].longitude, 1e-9);
    }

    const double c = CentralAngle(ours[0].latitude, ours[1].latitude, ours[0].longitude, ours[1].longitude);
    const double km = DistanceKm(c);
    // Hamlib reports 0 km for nearly identical points and a fixed value near
    // the antipodes.
    if (km < 1 || km > antipodalKm - 10) continue;
    double hamlibKm = 0;
    double azimuth = 0;
    ASSERT_EQ(qrb(ours[0].longitude, ours[0].latitude, ours[1].longitude, ours[1].latitude,
                  &hamlibKm, &azimuth), RIG_OK);
    const double ourDegrees = km / kmPerRadian * 180 / std::numbers::pi;
    const double hamlibDegrees = hamlibKm / 111.2;
    EXPECT_NEAR(ourDegrees, hamlibDegrees, 1e-9 * hamlibDegrees);
    ++compared;
  }
  EXPECT_GT(compared, 3900);
}

}  // namespace
}  // namespace pelvorn
