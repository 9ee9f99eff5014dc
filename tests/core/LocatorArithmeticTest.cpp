// The locator arithmetic alone: locators to degrees, the great circle and
// degrees back to a locator.
#include "arithmetic/CharacterCode.h"
#include "arithmetic/DegreesToLocator.h"
#include "arithmetic/ExtendedLocator.h"
#include "arithmetic/GreatCircle.h"
#include "arithmetic/LocatorDecoding.h"
#include "arithmetic/RuntimeError.h"
#include "arithmetic/SubsquareCentres.h"

#include <gtest/gtest.h>

#include <array>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <utility>

namespace pelvorn {
namespace {

using enum RuntimeErrorKind;

const double nan = std::numeric_limits<double>::quiet_NaN();

// Runs `call` and returns the kind of RuntimeError it throws; fails the test
// when it returns normally.
RuntimeErrorKind KindThrownBy(const std::function<void()>& call) {
  try { call(); } catch (const RuntimeError& error) { return error.kind(); }
  ADD_FAILURE() << "no RuntimeError";
  return PlatformFailure;
}

// Hamlib checks the centres of valid locators; these are the exact doubles
// and what becomes of text that is no locator.
TEST(LocatorDecoding, CentresShortTextsAndCharacterCodes) {
  // Step sizes are divisions at the point of use. The field value wraps once
  // at 360 (J is 0), not as a modulo: 720 stays at 360.
  EXPECT_EQ(LocatorToLatitude(u"JJ00AA"), 1.25 / 60);
  EXPECT_EQ(LocatorToLongitude(u"JJ00AA"), 2.5 / 60);
  EXPECT_EQ(LocatorToLatitude(u"AA00AA"), 1.25 / 60 + -90.0);
  EXPECT_EQ(LocatorToLongitude(u"AA00AA"), 2.5 / 60 + 180.0);
  EXPECT_EQ(LocatorToLongitude(u"IO91WM"), 359.875);
  EXPECT_EQ(DegreesFromCodes(Axis::Longitude, std::array<std::int16_t, 3>{'\\', '0', 'A'}), 2.5 / 60 + 360.0);
  // Only positions 1-6 count; small letters are not folded; a digit in a
  // field counts by its code.
  EXPECT_NEAR(LocatorToLatitude(u"JO62MMXX"), 52.5 + 1.0 / 48, 1e-12);
  EXPECT_NEAR(LocatorToLongitude(u"jo62mm"), 655.7083333333333333, 1e-12);
  EXPECT_NEAR(LocatorToLatitude(u"jo62mm"), 373.8541666666666667, 1e-12);
  EXPECT_NEAR(LocatorToLatitude(u"J062MM"), -257.4791666666666667, 1e-12);
  // Missing positions are invalid arguments.
  EXPECT_NEAR(LocatorToLongitude(u"JO62M"), 13 + 1.0 / 24, 1e-12);  // the longitude needs only five
  EXPECT_EQ(KindThrownBy([] { LocatorToLatitude(u"JO62M"); }), InvalidArgument);
  EXPECT_EQ(KindThrownBy([] { LocatorToLongitude(u"JO6"); }), InvalidArgument);
  EXPECT_EQ(KindThrownBy([] { CharacterCodeAt(u"A", 0); }), InvalidArgument);
  // Characters count by their Windows-1252 codes, "?" (63) when there is none.
  const std::pair<char16_t, int> rows[] = {{u'A', 65},       {u'\u00ff', 255}, {u'\u20ac', 128}, {u'\u0178', 159},
                                           {u'\u0081', 129}, {u'\u0080', 63},  {u'\u0100', 63}};
  for (const auto& [character, code] : rows) EXPECT_EQ(CharacterCode(character), code) << std::hex << int{character};
}

// The codes each position takes without a 16-bit overflow, with the other
// two positions at their smallest valid values.
TEST(LocatorDecoding, CodesAtTheOverflowBoundaries) {
  struct Row { int position, lowest, highest; };
  const Row rows[] = {{1, -1573, 1694},   {2, -3202, 3341},   {3, -16336, 16431},
                      {4, -32720, 32767}, {5, -32703, 32767}, {6, -32703, 32767}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.position);
    const auto decode = [&row](int code) {
      std::int16_t codes[] = {'A', '0', 'A'};  // field, square, subsquare
      codes[(row.position - 1) / 2] = static_cast<std::int16_t>(code);
      return DegreesFromCodes(row.position % 2 == 1 ? Axis::Longitude : Axis::Latitude, codes);
    };
    EXPECT_NO_THROW({ decode(row.lowest); decode(row.highest); });
    EXPECT_EQ(KindThrownBy([&] { decode(row.lowest - 1); }), Overflow);
    // Above 32767 the 16-bit code wraps to -32768, which overflows too.
    EXPECT_EQ(KindThrownBy([&] { decode(row.highest + 1); }), Overflow);
  }
}

// Hand-worked centres: the lengths (12 goes through every level; random
// ones of 8 to 12 against Hamlib: HamlibReferenceTest.cpp), the corners of
// the grid, lower case; the 6-character row must be the window's own doubles.
TEST(ExtendedLocator, CentresOfEveryLength) {
  struct Row { const char* locator; double latitude, longitude; };
  const Row rows[] = {
      {"JO", 55, 10},
      {"RR", 85, 170},
      {"JO62", 52 + 12.5 * 2.5 / 60, 12 + 12.5 * 5.0 / 60},  // completed to JO62MM, as the window does
      {"JO62MM", 52 + 12.5 * 2.5 / 60, 12 + 12.5 * 5.0 / 60},
      {"JO62MM45ab12", 52.5 + 5 * 0.25 / 60 + 0.25 / 1440 + 2.5 * 0.25 / 14400, 13 + 4 * 0.5 / 60 + 1.5 * 0.5 / 14400},
      {"AA00AA00AA00", -90 + 0.5 * 0.25 / 14400, 180 + 0.5 * 0.5 / 14400},
      {"RR99XX99XX99", 90 - 0.5 * 0.25 / 14400, 180 - 0.5 * 0.5 / 14400},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.locator);
    const std::optional<LocatorCell> cell = ReadExtendedLocator(row.locator);
    ASSERT_TRUE(cell.has_value());
    EXPECT_NEAR(cell->latitude, row.latitude, 1e-9);
    EXPECT_NEAR(cell->longitude, row.longitude, 1e-9);
    EXPECT_TRUE(CellContains(*cell, row.latitude, row.longitude, 0));
  }
  const SubsquareCentre window = CentreOfWellFormed(u"JO62MM");
  EXPECT_EQ(ReadExtendedLocator("jo62mm")->latitude, window.latitude);
  EXPECT_EQ(ReadExtendedLocator("JO62MM")->longitude, window.longitude);
  // The cell of four characters is the square, not the subsquare MM.
  EXPECT_TRUE(CellContains(*ReadExtendedLocator("JO62"), 52.01, 12.01, 0));
  EXPECT_FALSE(CellContains(*ReadExtendedLocator("JO62MM45"), 52.5, 13.0, 0));
  // Across the date line: field A starts at 180 degrees east.
  EXPECT_TRUE(CellContains(*ReadExtendedLocator("AA"), -85, -179.5, 0));
  for (const char* bad : {"", "J", "JO6", "JO62M", "JO62MM4", "JO62MM4X", "JO62MM45AY", "JO62MM45AB1X", "SO", "JO62MM45AB12CD",
                          "J062", "JO62MM 5"}) {
    EXPECT_FALSE(ReadExtendedLocator(bad).has_value()) << bad;
  }
}

TEST(GreatCircle, ArcCosAndFaults) {
  EXPECT_EQ(ArcCos(0), 1.5707963267948966);  // 2*atan(1), not PiPrime/2
  EXPECT_NEAR(ArcCos(-0.5), 2.0943951023931957, 1e-15);
  EXPECT_NEAR(ArcCos(CosineClamp), 4.47e-8, 0.01e-8);
  EXPECT_NEAR(ArcCos(-CosineClamp), 3.14159260888631, 1e-13);
  const std::pair<double, RuntimeErrorKind> arcCosines[] = {{1.0, DivisionByZero},       {-1.0, DivisionByZero},
                                                            {1.0000001, InvalidArgument}, {-1e150, InvalidArgument},
                                                            {-1e300, FloatOverflow}};
  for (const auto& [x, kind] : arcCosines) EXPECT_EQ(KindThrownBy([x] { ArcCos(x); }), kind) << x;
  EXPECT_EQ(KindThrownBy([] { CentralAngle(nan, 0, 0, 0); }), InvalidOperation);
  EXPECT_EQ(KindThrownBy([] { CentralAngle(0, 0, 0, HUGE_VAL); }), InvalidOperation);
  EXPECT_EQ(KindThrownBy([] { CentralAngle(1e308, 0, 0, 0); }), FloatOverflow);
  // Flags raised before a call do not count.
  for (void (*call)() : {+[] { CentralAngle(52.5, 38.5, 13, 27); }, +[] { DistanceKm(0.5); },
                         +[] { Direction(52.5, 38.5, 13, 27, 0.3); }}) {
    std::feraiseexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
    EXPECT_NO_THROW(call());
  }
}

struct Station { double latitude, longitude; };

Station Decoded(std::u16string_view locator) { return {LocatorToLatitude(locator), LocatorToLongitude(locator)}; }

// Expected values within 1e-9 relative, or within the given tolerance where
// a clamp acts and only bounds are certain.
TEST(GreatCircle, DistanceAndDirection) {
  struct Row { const char* name; Station own, foreign; double km, kmTolerance, degrees, degreesTolerance; };
  const Station jo62mm = Decoded(u"JO62MM"), jo63mm = Decoded(u"JO63MM"), km38mm = Decoded(u"KM38MM");
  const Row rows[] = {
      {"JO62MM-KM38MM", jo62mm, km38mm, 1892.5849153, 0, 139.7371278, 0},
      {"KM38MM-JO62MM", km38mm, jo62mm, 1892.5849153, 0, 329.8254471, 0},
      {"JO62MM-RR99XX", jo62mm, Decoded(u"RR99XX"), 4167.5597178, 0, 0.007746971573, 0},
      {"AA00AA-RR99XX", Decoded(u"AA00AA"), Decoded(u"RR99XX"), 19999.9443129, 0, 359.9583603, 0},
      {"signed degrees", {52.5, 13}, {38.5, 27}, 1892.8197037, 0, 139.7289274, 0},
      {"across the prime meridian", Decoded(u"IO91WM"), Decoded(u"JO01AA"), 56.7637393, 0, 168.1549452, 0},
      // The clamps act: never exactly north, south or zero km.
      {"due north", jo62mm, jo63mm, 111.1365278, 0, 0.000005, 0.0000049},
      {"due south", jo63mm, jo62mm, 111.1365278, 0, 180 - 0.000005, 0.0000049},
      {"identical", jo62mm, jo62mm, 0.00015, 0.00014, 90, 0.00001},
      {"antipodes, not reflected", {0, 0}, {0, 180}, 20004.5747156, 0, 90 + 5e-13, 4.9e-13},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto [lat1, lon1] = row.own;
    const auto [lat2, lon2] = row.foreign;
    const double centralAngle = CentralAngle(lat1, lat2, lon1, lon2);
    EXPECT_NEAR(DistanceKm(centralAngle), row.km, row.kmTolerance > 0 ? row.kmTolerance : 1e-9 * row.km);
    const double direction = Direction(lat1, lat2, lon1, lon2, centralAngle);
    EXPECT_NEAR(direction, row.degrees, row.degreesTolerance > 0 ? row.degreesTolerance : 1e-9 * row.degrees);
    // The console tools' unchecked steps give the very same doubles.
    const DistanceAndDirection unchecked = UncheckedDistanceAndDirection(lat1, lat2, lon1, lon2);
    EXPECT_EQ(unchecked.km, DistanceKm(centralAngle));
    EXPECT_EQ(unchecked.direction, direction);
  }
}

TEST(DegreesToLocator, EdgesOfTheGridAndOneCoordinateOutside) {
  using enum CoordinateOutOfRange;
  const double below180 = std::nextafter(180.0, 0.0);
  const double below90 = std::nextafter(90.0, 0.0);
  struct Row { double longitude, latitude; const char* locator; CoordinateOutOfRange outOfRange = None; };
  const Row rows[] = {
      {12.25, 52.25, "JO62DG"}, {12.2499, 52.2499, "JO62CF"},  // a boundary belongs to the east/north
      {below180, below90, "RR99XX"}, {-below180, -below90, "AA00AA"}, {-20.0, -10.0, "II00AA"},
      {-0.0, -0.0, "JJ00AA"}, {0.0, -1e-300, "JI09AX"}, {-1e-300, 0.0, "IJ90XA"},  // fractions that round to 1
      // One unit in the last place below a boundary, where the product rounds onto it.
      {0.0, -1.2916666666666667, "JI08AQ"}, {0.0, -1.2916666666666665, "JI08AR"},
      // Outside: the longitude is checked first, and one coordinate is named.
      {180.0, 0.0, "", Longitude}, {-180.0, 45.0, "", Longitude}, {nan, 0.0, "", Longitude},
      {200.0, 100.0, "", Longitude}, {0.0, 90.0, "", Latitude},  {0.0, -90.0, "", Latitude},
      {0.0, nan, "", Latitude},
  };
  for (const Row& row : rows) {
    const LocatorFromDegrees result = DegreesToLocator(row.longitude, row.latitude);
    EXPECT_EQ(result.locator, row.locator) << row.longitude << ", " << row.latitude;
    EXPECT_EQ(result.outOfRange, row.outOfRange) << row.longitude << ", " << row.latitude;
  }
}

// Every valid locator comes back from the centre of its subsquare, and the
// looked-up centres are the checked decoding's own doubles (under the
// sanitizers every fifth subsquare, a stride coprime to 24: still every
// character of every position).
TEST(DegreesToLocator, CentresOfAllSubsquaresGiveTheirLocator) {
  long wrong = 0;
  std::string firstWrong;
  for (int subsquare = 0; subsquare < 24 * 24; subsquare += PELVORN_SUBSQUARE_STRIDE)
    for (char lonField = 'A'; lonField <= 'R'; ++lonField)
      for (char latField = 'A'; latField <= 'R'; ++latField)
        for (char lonSquare = '0'; lonSquare <= '9'; ++lonSquare)
          for (char latSquare = '0'; latSquare <= '9'; ++latSquare) {
            const std::string locator = {lonField, latField, lonSquare, latSquare,
                                         char('A' + subsquare / 24), char('A' + subsquare % 24)};
            const std::u16string text(locator.begin(), locator.end());
            const Station centre = Decoded(text);
            const SubsquareCentre looked = CentreOfWellFormed(text);
            const double longitude = centre.longitude >= 180 ? centre.longitude - 360 : centre.longitude;
            std::string back = DegreesToLocator(longitude, centre.latitude).locator;
            if (looked.latitude != centre.latitude || looked.longitude != centre.longitude) back += " (table)";
            if (back != locator && wrong++ == 0) firstWrong = locator + " -> " + back;
          }
  EXPECT_EQ(wrong, 0) << "first: " << firstWrong;
}

}  // namespace
}  // namespace pelvorn
