// The unchecked distance and direction of the batch run give the very
// doubles of the checked ones, for locator centres and for degrees.
#include "arithmetic/GreatCircle.h"
#include "arithmetic/UncheckedGreatCircle.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>

namespace pelvorn {
namespace {

void ExpectSameDoubles(double lat1, double lat2, double lon1, double lon2) {
  const double angle = CentralAngle(lat1, lat2, lon1, lon2);
  const double km = DistanceKm(angle);
  const double direction = Direction(lat1, lat2, lon1, lon2, angle);
  const DistanceAndDirection fast = UncheckedDistanceAndDirection(lat1, lat2, lon1, lon2);
  ASSERT_EQ(std::bit_cast<std::uint64_t>(fast.km), std::bit_cast<std::uint64_t>(km))
      << lat1 << ' ' << lat2 << ' ' << lon1 << ' ' << lon2;
  ASSERT_EQ(std::bit_cast<std::uint64_t>(fast.direction), std::bit_cast<std::uint64_t>(direction))
      << lat1 << ' ' << lat2 << ' ' << lon1 << ' ' << lon2;
}

TEST(UncheckedGreatCircle, SameDoublesAsTheCheckedSteps) {
  // Identical, antipodal, one meridian, across the prime meridian, poles.
  const double cases[][4] = {
      {52.5, 52.5, 13, 13},        {0, 0, 0, 180},           {52.5, 53.5, 13, 13},
      {53.5, 52.5, 13, 13},        {51.5, 51.5, 359.875, 0.0416666666666667},
      {-89.9791666666666, 89.9791666666666, 180.041666666667, 179.958333333333},
      {0, 0, -179.99, 179.99},     {89.99, -89.99, 0, 0},
  };
  for (const auto& c : cases) ExpectSameDoubles(c[0], c[1], c[2], c[3]);

  std::mt19937_64 random(42);
  std::uniform_real_distribution<double> latitude(-89.99999, 89.99999), longitude(-179.99999, 359.99999);
  std::uniform_int_distribution<int> field(0, 17), square(0, 9), subsquare(0, 23);
  auto centreLatitude = [&] { return field(random) * 10 - 90 + square(random) + subsquare(random) * (2.5 / 60) + 1.25 / 60; };
  auto centreLongitude = [&] { return field(random) * 20 + square(random) * 2 + subsquare(random) * (5.0 / 60) + 2.5 / 60; };
  for (int i = 0; i < 300000; ++i) {
    if (i % 2) {
      ExpectSameDoubles(latitude(random), latitude(random), longitude(random), longitude(random));
    } else {
      ExpectSameDoubles(centreLatitude(), centreLatitude(), centreLongitude(), centreLongitude());
    }
  }
}

}  // namespace
}  // namespace pelvorn
