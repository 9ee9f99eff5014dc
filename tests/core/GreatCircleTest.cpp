#include "locator/GreatCircle.h"
#include "locator/LocatorDecoding.h"
#include "TestHelpers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace pelvorn {
namespace {

using test_support::ExpectRelative;
using test_support::KindThrownBy;

struct Station {
  double latitude;
  double longitude;
};

Station Decoded(std::u16string_view locator) {
  return {LocatorToLatitude(locator), LocatorToLongitude(locator)};
}

struct Result {
  double centralAngle;
  double distance;
  double direction;
};

Result Between(Station own, Station foreign) {
  const double c = CentralAngle(own.latitude, foreign.latitude, own.longitude, foreign.longitude);
  return {c, DistanceKm(c),
          Direction(own.latitude, foreign.latitude, own.longitude, foreign.longitude, c)};
}

TEST(GreatCircle, Constants) {
  EXPECT_EQ(std::bit_cast<std::uint64_t>(PiPrime), 0x400921FB54442D11u);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(Circumference), 0x40E38924CCCE0CE3u);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(CosineClamp), 0x3FEFFFFFFFFFFFF7u);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(-CosineClamp), 0xBFEFFFFFFFFFFFF7u);
  EXPECT_EQ(PiPrime, 3.14159265358979);
  EXPECT_EQ(Circumference, 2 * PiPrime * 6367.6539915);
  EXPECT_EQ(CosineClamp, 0.999999999999999);
}

TEST(GreatCircle, ArcCos) {
  EXPECT_EQ(ArcCos(0), 1.5707963267948966);  // 2*atan(1), not PiPrime/2
  ExpectRelative(1.0471975511965976, ArcCos(0.5));
  ExpectRelative(2.0943951023931957, ArcCos(-0.5));
  EXPECT_NEAR(ArcCos(CosineClamp), 4.47e-8, 0.01e-8);
  EXPECT_NEAR(ArcCos(-CosineClamp), 3.14159260888631, 1e-13);
  for (const double x : {1.0, -1.0}) {
    EXPECT_EQ(KindThrownBy([x] { ArcCos(x); }), RuntimeErrorKind::DivisionByZero) << x;
  }
  for (const double x : {1.0000001, -1.0000001, 2.0, -1e150}) {
    EXPECT_EQ(KindThrownBy([x] { ArcCos(x); }), RuntimeErrorKind::InvalidArgument) << x;
  }
  EXPECT_EQ(KindThrownBy([] { ArcCos(-1e300); }), RuntimeErrorKind::FloatOverflow);
  EXPECT_EQ(ArcCos(0), 1.5707963267948966);  // a fault leaves no flag behind
}

// Expected values within 1e-9 relative, or within `tolerance` where a clamp
// acts and only bounds are certain.
TEST(GreatCircle, DistanceAndDirection) {
  struct Row {
    const char* name;
    Station own;
    Station foreign;
    double km, kmTolerance;
    double degrees, degreesTolerance;
  };
  const Station jo62mm = Decoded(u"JO62MM");
  const Station jo63mm = Decoded(u"JO63MM");
  const Station jo01aa = Decoded(u"JO01AA");
  const double io91wmLatitude = LocatorToLatitude(u"IO91WM");
  const Row rows[] = {
      {"JO62MM-KM38MM", jo62mm, Decoded(u"KM38MM"), 1892.5849153, 0, 139.7371278, 0},
      {"KM38MM-JO62MM", Decoded(u"KM38MM"), jo62mm, 1892.5849153, 0, 329.8254471, 0},
      {"JO62MM-JO52MM", jo62mm, Decoded(u"JO52MM"), 135.2428102, 0, 270.7936045, 0},
      {"JO52MM-JO62MM", Decoded(u"JO52MM"), jo62mm, 135.2428102, 0, 89.2063955, 0},
      {"JO62MM-RR99XX", jo62mm, Decoded(u"RR99XX"), 4167.5597178, 0, 0.007746971573, 0},
      {"AA00AA-RR99XX", Decoded(u"AA00AA"), Decoded(u"RR99XX"), 19999.9443129, 0, 359.9583603, 0},
      {"signed degrees", {52.5, 13}, {38.5, 27}, 1892.8197037, 0, 139.7289274, 0},
      {"across the prime meridian", {io91wmLatitude, 359.875}, jo01aa, 56.7637393, 0, 168.1549452, 0},
      {"across it, signed", {io91wmLatitude, -0.125}, jo01aa, 56.7637393, 0, 168.1549452, 0},
      // The clamps act: never exactly north, south or zero km.
      {"due north", jo62mm, jo63mm, 111.1365278, 0, 0.000005, 0.0000049},
      {"due south", jo63mm, jo62mm, 111.1365278, 0, 180 - 0.000005, 0.0000049},
      {"identical", jo62mm, jo62mm, 0.00015, 0.00014, 90, 0.00001},
      {"antipodes, not reflected", {0, 0}, {0, 180}, 20004.5747156, 0, 90 + 5e-13, 4.9e-13},
  };
  auto tolerance = [](double expected, double given) { return given > 0 ? given : 1e-9 * std::fabs(expected); };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Result result = Between(row.own, row.foreign);
    EXPECT_NEAR(result.distance, row.km, tolerance(row.km, row.kmTolerance));
    EXPECT_NEAR(result.direction, row.degrees, tolerance(row.degrees, row.degreesTolerance));
  }
  ExpectRelative(0.2972185546, Between(jo62mm, Decoded(u"KM38MM")).centralAngle);
  EXPECT_LE(Between(jo62mm, jo62mm).centralAngle, 4.48e-8);
}

TEST(GreatCircle, NonFiniteCoordinatesRaise) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(KindThrownBy([&] { CentralAngle(nan, 0, 0, 0); }), RuntimeErrorKind::InvalidOperation);
  EXPECT_EQ(KindThrownBy([&] { CentralAngle(0, 0, 0, inf); }), RuntimeErrorKind::InvalidOperation);
  EXPECT_EQ(KindThrownBy([&] { CentralAngle(1e308, 0, 0, 0); }), RuntimeErrorKind::FloatOverflow);
}

TEST(GreatCircle, FlagsRaisedBeforeACallDoNotCount) {
  std::feraiseexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
  EXPECT_NO_THROW(CentralAngle(52.5, 38.5, 13, 27));
  std::feraiseexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
  EXPECT_NO_THROW(DistanceKm(0.5));
  std::feraiseexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
  EXPECT_NO_THROW(Direction(52.5, 38.5, 13, 27, 0.3));
  std::feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace
}  // namespace pelvorn
