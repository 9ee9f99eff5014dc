// Contest kilometres against Hamlib's qrb, which works at 111.2 km per
// degree of arc between the centres that its locator2longlat gives.
#include "arithmetic/ContestDistance.h"

#include <hamlib/rig.h>
#include <hamlib/rotator.h>

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace pelvorn {
namespace {

std::string RandomLocator(std::mt19937& random) {
  auto pick = [&](char first, int count) {
    return static_cast<char>(first + std::uniform_int_distribution<int>(0, count - 1)(random));
  };
  return {pick('A', 18), pick('A', 18), pick('0', 10), pick('0', 10), pick('A', 24), pick('A', 24)};
}

// floor(111.2 x central angle in degrees) + 1 against Hamlib's qrb. Hamlib
// replaces nearly antipodal pairs (cosine below -0.999999) by exactly 180
// degrees; those are left out.
TEST(ContestDistance, AgreesWithHamlibOnRandomPairs) {
  rig_set_debug(RIG_DEBUG_NONE);
  std::mt19937 random(20261207);
  int compared = 0;
  for (int i = 0; i < 100000; ++i) {
    const std::string own = RandomLocator(random);
    const std::string foreign = i % 50 == 0 ? own : RandomLocator(random);
    double lon1 = 0, lat1 = 0, lon2 = 0, lat2 = 0, km = 0, azimuth = 0;
    ASSERT_EQ(locator2longlat(&lon1, &lat1, own.c_str()), RIG_OK);
    ASSERT_EQ(locator2longlat(&lon2, &lat2, foreign.c_str()), RIG_OK);
    ASSERT_EQ(qrb(lon1, lat1, lon2, lat2, &km, &azimuth), RIG_OK);
    if (km >= 180 * ContestKmPerDegree - 10) continue;
    ++compared;
    ASSERT_EQ(ContestKilometresBetween(own, foreign), static_cast<long>(std::floor(km)) + 1) << own << ' ' << foreign;
  }
  EXPECT_GT(compared, 95000);
}

}  // namespace
}  // namespace pelvorn
